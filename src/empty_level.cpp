// Stands in for a level that has no sources yet.
namespace kestrin {}
