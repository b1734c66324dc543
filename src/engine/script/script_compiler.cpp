// The compiler: a recursive descent over the token list that mirrors the
// code checker's rules, building the tree as it goes. An error ends the
// compilation at once, so it is thrown inside and caught at the top.

#include "engine/script/script_compiler.h"

#include <cstdlib>
#include <unordered_map>

#include "engine/script/builtin_functions.h"
#include "language/builtin_names.h"
#include "language/check_error.h"
#include "language/checker.h"
#include "language/tokenizer.h"

namespace kestrin::engine {

namespace {

struct CompileFailure {
    std::string message;
    int position;
};

constexpr int kMaxArguments = 16;

// Binary operators by precedence level, lowest first.
int LevelOf(std::int32_t kind) {
    switch (kind) {
    case tkOr: return 0;
    case tkXor: return 1;
    case tkAnd: return 2;
    case tkLess:
    case tkLessEqual:
    case tkEqual:
    case tkNotEqual:
    case tkGreaterEqual:
    case tkGreater:
    case tkAssign: return 3;
    case tkBitOr: return 4;
    case tkBitXor: return 5;
    case tkBitAnd: return 6;
    case tkShiftLeft:
    case tkShiftRight: return 7;
    case tkPlus:
    case tkMinus: return 8;
    case tkTimes:
    case tkDivide:
    case tkDiv:
    case tkMod: return 9;
    default: return -1;
    }
}
constexpr int kTopLevel = 9;

bool IsLineEnd(std::string_view code, std::size_t i) {
    return code[i] == '\n' || (code[i] == '\r' && (i + 1 >= code.size() || code[i + 1] != '\n'));
}

class Compiler {
public:
    Compiler(std::string_view code, const RTokenList1& tokens, CompileEnvironment& environment, CompiledCode& result)
        : mCode(code), mTokens(tokens), mEnvironment(environment), mNames(environment.Names()), mResult(result) {
        // Lines are counted once for all tokens, which come in text order.
        mLines.reserve(tokens.tokens.size());
        std::size_t at = 0;
        int line = 1;
        for (const RToken1& token : tokens.tokens) {
            const std::size_t end = std::min<std::size_t>(token.position > 0 ? token.position - 1 : 0, code.size());
            for (; at < end; ++at)
                if (IsLineEnd(code, at)) ++line;
            mLines.push_back(line);
        }
    }

    std::unique_ptr<Node> Program() {
        CheckCallNames();
        auto block = MakeNode(NodeKind::Block);
        if (Kind() == tkEndOfText) return block;
        if (Kind() == tkBegin) {
            block->kids.push_back(Block());
            if (Kind() != tkEndOfText) Fail("Program ends before end of the code.");
            return block;
        }
        while (Kind() != tkEndOfText) block->kids.push_back(Statement());
        return block;
    }

private:
    std::int32_t Kind(int offset = 0) const {
        const int at = std::min(mAt + offset, mTokens.Count() - 1);
        return mTokens.tokens[at].kind;
    }
    std::string_view Text() const { return mTokens.Text(mAt); }
    int Position() const { return mTokens.tokens[mAt].position; }
    void Next() {
        if (mAt < mTokens.Count() - 1) ++mAt;
    }
    void Skip(std::int32_t kind) {
        if (Kind() == kind) Next();
    }
    [[noreturn]] void Fail(const std::string& message) { throw CompileFailure{message, Position()}; }
    void Expect(std::int32_t kind, const char* message) {
        if (Kind() != kind) Fail(message);
        Next();
    }
    std::unique_ptr<Node> MakeNode(NodeKind kind) {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->line = mLines[mAt];
        return node;
    }

    struct Depth {
        Compiler& compiler;
        explicit Depth(Compiler& owner) : compiler(owner) {
            if (++compiler.mDepth > kMaxCodeNesting) compiler.Fail("Code is nested too deeply.");
        }
        ~Depth() { --compiler.mDepth; }
    };

    // How a name token reads: a call, a value or a variable.
    bool IsCall() const { return Kind() == tkName && Kind(1) == tkOpenParen; }
    bool IsValueName(Value* value = nullptr) const {
        Value ignored;
        return Kind() == tkName && !IsCall() && mEnvironment.ConstantValue(Text(), value ? *value : ignored);
    }
    bool IsVariableName() const { return Kind() == tkName && !IsCall() && !IsValueName(); }

    // An unknown function is the first error whatever comes before it, as
    // in the checker, which resolves all names before the grammar.
    void CheckCallNames() {
        for (int i = 0; i + 1 < mTokens.Count(); ++i) {
            if (mTokens.tokens[i].kind != tkName || mTokens.tokens[i + 1].kind != tkOpenParen) continue;
            const std::string_view name = mTokens.Text(i);
            if (NameTables().FindBuiltinFunction(name) < 0 && !mEnvironment.IsScript(name))
                throw CompileFailure{"Unknown function or script: " + std::string(name), mTokens.tokens[i].position};
        }
    }

    std::unique_ptr<Node> Statement() {
        Depth depth(*this);
        std::unique_ptr<Node> node;
        switch (Kind()) {
        case tkName:
            if (IsCall()) {
                node = MakeNode(NodeKind::Evaluate);
                node->kids.push_back(Call());
            } else if (Text() == "globalvar" && Kind(1) == tkName) {
                node = Globalvar();
            } else {
                node = Assignment();
            }
            break;
        case tkBegin: node = Block(); break;
        case tkIf:
            node = MakeNode(NodeKind::If);
            Next();
            node->kids.push_back(Expression());
            Skip(tkThen);
            node->kids.push_back(Statement());
            if (Kind() == tkElse) {
                Next();
                node->kids.push_back(Statement());
            }
            break;
        case tkWhile:
        case tkWith:
            node = MakeNode(Kind() == tkWhile ? NodeKind::While : NodeKind::With);
            Next();
            node->kids.push_back(Expression());
            Skip(tkDo);
            node->kids.push_back(Statement());
            break;
        case tkDo:
            node = MakeNode(NodeKind::DoUntil);
            Next();
            node->kids.push_back(Statement());
            Expect(tkUntil, "Keyword until expected.");
            node->kids.push_back(Expression());
            break;
        case tkFor:
            node = MakeNode(NodeKind::For);
            Next();
            Expect(tkOpenParen, "Symbol ( expected.");
            node->kids.push_back(Statement());
            Skip(tkSemicolon);
            node->kids.push_back(Expression());
            Skip(tkSemicolon);
            node->kids.push_back(Statement());
            Expect(tkCloseParen, "Symbol ) expected.");
            node->kids.push_back(Statement());
            break;
        case tkRepeat:
            node = MakeNode(NodeKind::Repeat);
            Next();
            node->kids.push_back(Expression());
            node->kids.push_back(Statement());
            break;
        case tkExit:
        case tkBreak:
        case tkContinue:
            node = MakeNode(Kind() == tkExit ? NodeKind::Exit : Kind() == tkBreak ? NodeKind::Break : NodeKind::Continue);
            Next();
            break;
        case tkReturn:
            node = MakeNode(NodeKind::Return);
            Next();
            node->kids.push_back(Expression());
            break;
        case tkSwitch: node = Switch(); break;
        case tkCase:
            node = MakeNode(NodeKind::Case);
            Next();
            node->kids.push_back(Expression());
            Expect(tkColon, "Symbol : expected.");
            break;
        case tkDefault:
            node = MakeNode(NodeKind::Default);
            Next();
            Expect(tkColon, "Symbol : expected.");
            break;
        case tkVar:
            node = MakeNode(NodeKind::Nothing);
            Next();
            while (IsVariableName()) {
                DeclareLocal(mNames.Intern(Text()));
                Next();
                Skip(tkComma);
            }
            break;
        case tkSemicolon: node = MakeNode(NodeKind::Nothing); break;
        case tkEndOfText: Fail("Unexpected end of code reached.");
        default: node = Assignment(); break;
        }
        while (Kind() == tkSemicolon) Next();
        return node;
    }

    // From the "{" to after the "}".
    std::unique_ptr<Node> Block() {
        auto node = MakeNode(NodeKind::Block);
        Next();
        while (Kind() != tkEnd) {
            if (Kind() == tkEndOfText) Fail("Symbol } expected.");
            node->kids.push_back(Statement());
        }
        Next();
        return node;
    }

    std::unique_ptr<Node> Switch() {
        auto node = MakeNode(NodeKind::Switch);
        Next();
        node->kids.push_back(Expression());
        if (Kind() != tkBegin) Fail("Symbol { expected.");
        Next();
        while (Kind() != tkEnd) {
            if (Kind() == tkEndOfText) Fail("Symbol } expected.");
            std::unique_ptr<Node> statement = Statement();
            if (statement->kind == NodeKind::Case || statement->kind == NodeKind::Default)
                node->labels.push_back(static_cast<int>(node->kids.size()));
            node->kids.push_back(std::move(statement));
        }
        Next();
        return node;
    }

    // "globalvar" and the names it makes global, like a var list.
    std::unique_ptr<Node> Globalvar() {
        auto node = MakeNode(NodeKind::Globalvar);
        Next();
        while (IsVariableName()) {
            node->names.push_back(mNames.Intern(Text()));
            Next();
            Skip(tkComma);
        }
        return node;
    }

    void DeclareLocal(NameId name) {
        if (mLocals.count(name)) return;
        mLocals[name] = mResult.localCount++;
        mResult.localNames.push_back(name);
    }

    std::unique_ptr<Node> Assignment() {
        auto node = MakeNode(NodeKind::Assign);
        node->kids.push_back(Term());
        switch (Kind()) {
        case tkAssign:
        case tkAddAssign:
        case tkSubAssign:
        case tkMulAssign:
        case tkDivAssign:
            node->op = Kind();
            node->line = mLines[mAt];
            Next();
            node->kids.push_back(Expression());
            return node;
        default: Fail("Assignment operator expected.");
        }
    }

    std::unique_ptr<Node> Expression(int level = 0) {
        if (level > kTopLevel) return Term();
        std::unique_ptr<Node> first = Expression(level + 1);
        if (LevelOf(Kind()) != level) return first;
        auto chain = MakeNode(NodeKind::Chain);
        chain->line = first->line;
        chain->kids.push_back(std::move(first));
        while (LevelOf(Kind()) == level) {
            chain->ops.push_back(Kind());
            Next();
            chain->kids.push_back(Expression(level + 1));
        }
        return chain;
    }

    std::unique_ptr<Node> Term() {
        Depth depth(*this);
        std::unique_ptr<Node> node = Factor();
        while (Kind() == tkDot) {
            Next();
            // A name of the game's own constants still names a variable
            // after a dot; a built-in constant does not.
            if (Kind() != tkName || IsCall() || NameTables().IsBuiltinConstant(Text()))
                Fail("Variable name expected.");
            auto field = MakeNode(NodeKind::Field);
            field->name = mNames.Intern(Text());
            field->kids.push_back(std::move(node));
            Next();
            Indexes(*field);
            node = std::move(field);
        }
        return node;
    }

    std::unique_ptr<Node> Factor() {
        switch (Kind()) {
        case tkName: {
            if (IsCall()) return Call();
            Value value;
            if (IsValueName(&value)) {
                auto node = MakeNode(NodeKind::Constant);
                node->constant = std::move(value);
                Next();
                return node;
            }
            return VariableReference();
        }
        case tkNumber: {
            auto node = MakeNode(NodeKind::Constant);
            node->constant = Value(std::strtod(std::string(Text()).c_str(), nullptr));
            Next();
            return node;
        }
        case tkString: {
            auto node = MakeNode(NodeKind::Constant);
            node->constant = Value(std::string(Text()));
            Next();
            return node;
        }
        case tkOpenParen: {
            Next();
            std::unique_ptr<Node> inner = Expression();
            Expect(tkCloseParen, "Symbol ) expected.");
            return inner;
        }
        case tkNot:
        case tkPlus:
        case tkMinus:
        case tkBitNot: {
            auto node = MakeNode(NodeKind::Unary);
            node->op = Kind();
            Next();
            node->kids.push_back(Term());
            return node;
        }
        default: Fail("Unexpected symbol in expression.");
        }
    }

    std::unique_ptr<Node> VariableReference() {
        const std::string_view text = Text();
        const NameId name = mNames.Intern(text);
        std::unique_ptr<Node> node;
        auto local = mLocals.find(name);
        if (local != mLocals.end()) {
            node = MakeNode(NodeKind::Local);
            node->slot = local->second;
        } else if (text == "argument") {
            node = MakeNode(NodeKind::ArgumentArray);
        } else if (int number = ArgumentNumber(text); number >= 0) {
            node = MakeNode(NodeKind::Argument);
            node->slot = number;
        } else {
            node = MakeNode(NodeKind::Variable);
            node->scope = NameTables().IsGlobal(text)              ? Scope::Global
                          : mEnvironment.IsPlainVariable(name) ? Scope::Plain
                                                               : Scope::Self;
        }
        node->name = name;
        Next();
        Indexes(*node);
        return node;
    }

    // argument0 .. argument15, or -1.
    static int ArgumentNumber(std::string_view text) {
        constexpr std::string_view prefix = "argument";
        if (text.size() < prefix.size() + 1 || text.size() > prefix.size() + 2 || text.substr(0, prefix.size()) != prefix)
            return -1;
        int number = 0;
        for (char c : text.substr(prefix.size())) {
            if (c < '0' || c > '9') return -1;
            number = number * 10 + (c - '0');
        }
        if (text.size() == prefix.size() + 2 && text[prefix.size()] == '0') return -1;
        return number < kMaxArguments ? number : -1;
    }

    void Indexes(Node& node) {
        if (Kind() != tkOpenBracket) return;
        Next();
        for (;;) {
            if (Kind() == tkEndOfText) Fail("Symbol ] expected.");
            if (Kind() == tkCloseBracket) break;
            node.kids.push_back(Expression());
            if (Kind() == tkComma)
                Next();
            else if (Kind() != tkCloseBracket)
                Fail("Symbol , or ] expected.");
        }
        Next();
    }

    std::unique_ptr<Node> Call() {
        auto node = MakeNode(NodeKind::Call);
        const std::string_view name = Text();
        node->name = mNames.Intern(name);
        node->builtin = FindBuiltin(name);
        const int tableIndex = NameTables().FindBuiltinFunction(name);
        Next();
        Next();
        for (;;) {
            if (Kind() == tkEndOfText) Fail("Symbol ) expected.");
            if (Kind() == tkCloseParen) break;
            node->kids.push_back(Expression());
            if (Kind() == tkComma)
                Next();
            else if (Kind() != tkCloseParen)
                Fail("Symbol , or ) expected.");
        }
        const int count = static_cast<int>(node->kids.size());
        // A script of the game takes any number; the tables' count applies
        // to built-in functions, library scripts included.
        const int expected = tableIndex >= 0 ? NameTables().FunctionArgCount(tableIndex) : -1;
        if (count > kMaxArguments || (expected >= 0 && expected != count))
            Fail("Wrong number of arguments to function or script.");
        Next();
        return node;
    }

    std::string_view mCode;
    const RTokenList1& mTokens;
    CompileEnvironment& mEnvironment;
    NameTable& mNames;
    CompiledCode& mResult;
    std::vector<int> mLines;  // by token
    std::unordered_map<NameId, int> mLocals;
    int mAt = 0;
    int mDepth = 0;
};

}  // namespace

int LineOfPosition(std::string_view code, int position) {
    const std::size_t end = std::min<std::size_t>(position > 0 ? position - 1 : 0, code.size());
    int line = 1;
    for (std::size_t i = 0; i < end; ++i)
        if (IsLineEnd(code, i)) ++line;
    return line;
}

CompileResult CompileCode(std::string_view code, CompileEnvironment& environment, const std::string& scriptName) {
    CompileResult result;
    RTokenList1 tokens;
    if (!Tokenize(code, tokens)) {
        result.error = CheckError().ErrorMessage;
        result.line = LineOfPosition(code, tokens.tokens.back().position);
        CheckError().ErrorFound = false;
        return result;
    }
    auto compiled = std::make_shared<CompiledCode>();
    compiled->scriptName = scriptName;
    try {
        Compiler compiler(code, tokens, environment, *compiled);
        compiled->root = compiler.Program();
    } catch (const CompileFailure& failure) {
        result.error = failure.message;
        result.line = LineOfPosition(code, failure.position);
        return result;
    }
    result.code = std::move(compiled);
    return result;
}

}  // namespace kestrin::engine
