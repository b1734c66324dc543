// Stacks, queues, lists, maps and priority queues made by code.

#include "script_test_world.h"

namespace kestrin::engine::script_test {
namespace {

TEST(ScriptDataStructures, EachKind) {
    ExpectOutcomes({
        {"s = ds_stack_create() ds_stack_push(s, 1) ds_stack_push(s, 'two') "
         "return string(ds_stack_size(s)) + ds_stack_pop(s) + string(ds_stack_top(s)) + string(ds_stack_pop(s)) "
         "+ string(ds_stack_pop(s)) + string(ds_stack_empty(s))",
         "'2two1101'"},
        {"q = ds_queue_create() ds_queue_enqueue(q, 'a') ds_queue_enqueue(q, 'b') ds_queue_enqueue(q, 'c') "
         "return ds_queue_head(q) + ds_queue_tail(q) + ds_queue_dequeue(q) + ds_queue_dequeue(q)",
         "'acab'"},
        {"l = ds_list_create() ds_list_add(l, 3) ds_list_add(l, 1) ds_list_add(l, 2) ds_list_insert(l, 0, 9) "
         "ds_list_delete(l, 2) ds_list_replace(l, 0, 5) ds_list_sort(l, true) "
         "return string(ds_list_find_value(l, 0)) + string(ds_list_find_value(l, 2)) + "
         "string(ds_list_find_index(l, 3)) + string(ds_list_find_index(l, 7)) + string(ds_list_find_value(l, 9))",
         "'251-10'"},
        {"l = ds_list_create() ds_list_add(l, 'b') ds_list_add(l, 2) ds_list_add(l, 'a') ds_list_sort(l, false) "
         "return ds_list_find_value(l, 0) + ds_list_find_value(l, 1) + string(ds_list_find_value(l, 2))",
         "'ba2'"},
        {"m = ds_map_create() ds_map_add(m, 'b', 2) ds_map_add(m, 'a', 1) ds_map_add(m, 5, 'five') "
         "ds_map_replace(m, 'a', 10) ds_map_delete(m, 'b') "
         "return string(ds_map_find_value(m, 'a')) + ds_map_find_value(m, 5) + string(ds_map_exists(m, 'b')) "
         "+ string(ds_map_find_first(m)) + ds_map_find_last(m) + ds_map_find_next(m, 5) "
         "+ string(ds_map_find_previous(m, 'a')) + string(ds_map_size(m))",
         "'10five05aa52'"},
        {"p = ds_priority_create() ds_priority_add(p, 'low', 1) ds_priority_add(p, 'high', 9) "
         "ds_priority_add(p, 'mid', 5) ds_priority_change_priority(p, 'mid', 0) "
         "return ds_priority_find_min(p) + ds_priority_delete_max(p) + ds_priority_find_max(p) "
         "+ string(ds_priority_find_priority(p, 'low')) + string(ds_priority_size(p))",
         "'midhighlow12'"},
        // Reals within the precision count as the same when searched for.
        {"l = ds_list_create() ds_list_add(l, 0.1 + 0.2) return ds_list_find_index(l, 0.3)", "0"},
        {"m = ds_map_create() ds_map_add(m, 0.1 + 0.2, 'x') return ds_map_find_value(m, 0.3)", "'x'"},
        {"ds_set_precision(0) l = ds_list_create() ds_list_add(l, 0.1 + 0.2) return ds_list_find_index(l, 0.3)",
         "-1"},
    });
}

TEST(ScriptDataStructures, IdsAndErrors) {
    ExpectOutcomes({
        // Ids count per kind from 0; a destroyed id is given out again.
        {"a = ds_list_create() b = ds_list_create() c = ds_map_create() ds_list_destroy(a) "
         "return string(b) + string(c) + string(ds_list_create())",
         "'100'"},
        {"l = ds_list_create() ds_list_destroy(l) return ds_list_size(l)",
         "line 1: Data structure with index 0 does not exist"},
        {"return ds_map_size(3)", "line 1: Data structure with index 3 does not exist"},
        {"return ds_stack_pop('x')", "line 1: Wrong type of arguments to ds_stack_pop"},
        {"l = ds_list_create() ds_list_clear(l) ds_list_add(l, 1) return ds_list_size(l) + ds_list_empty(l)", "1"},
        {"s = ds_stack_create() while 1 ds_stack_push(s, 0)", "line 1: Data structure too large"},
        {"while 1 ds_queue_create()", "line 1: Too many data structures"},
    });
}

}  // namespace
}  // namespace kestrin::engine::script_test
