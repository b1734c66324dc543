// The checker's second and third phases. The grammar is loose on purpose:
// operators have no precedence and most keywords that introduce a body are
// optional; each rule accepts exactly what the language accepts.

#include "language/checker.h"

#include "language/builtin_names.h"
#include "language/check_error.h"
#include "language/token_scanner.h"

namespace kestrin {

namespace {

// The phase-2 kind of a name and, for a call, its function index: a name
// followed by "(" is a call and must name a function or script (false when
// it does not), another name is a value when it names a resource or a
// built-in constant and a variable otherwise.
bool ResolveName(std::string_view name, bool isCall, const NameResolver& game, std::int32_t& kind,
                 std::int32_t& value) {
    if (isCall) {
        FunctionLookup lookup = Function_Find(name, game);
        if (!lookup.found) return false;
        kind = tkCall;
        value = lookup.index;
    } else {
        kind = Constant_IsValueName(name, game) ? tkValue : tkVariable;
    }
    return true;
}

// Numbers and strings are values; other tokens keep their kind.
inline std::int32_t LiteralKind(std::int32_t kind) { return kind == tkNumber || kind == tkString ? tkValue : kind; }

}  // namespace

bool Code_Phase2(const RTokenList1& source, RTokenList2& result, const NameResolver& game) {
    CheckError().ErrorFound = false;
    result.tokens.clear();
    result.tokens.reserve(source.tokens.size());
    for (int i = 0; i < source.Count(); ++i) {
        const RToken1& token = source.tokens[i];
        RToken2 resolved{LiteralKind(token.kind), 0, token.position};
        if (token.kind == tkName) {
            const bool isCall = i + 1 < source.Count() && source.tokens[i + 1].kind == tkOpenParen;
            if (!ResolveName(source.Text(i), isCall, game, resolved.kind, resolved.value)) {
                ReportError(source.code, token.position, "Unknown function or script: " + std::string(source.Text(i)));
                return false;
            }
        }
        result.tokens.push_back(resolved);
    }
    return true;
}

namespace {

// The function index of a resolved token: a phase-2 token's value, or, for
// a phase-1 token resolved in place by CheckCode, its text length field.
inline std::int32_t ValueOf(const RToken2& token) { return token.value; }
inline std::int32_t ValueOf(const RToken1& token) { return token.textLength; }

template <typename Token>
class GrammarCheck {
public:
    GrammarCheck(std::string_view code, const std::vector<Token>& tokens)
        : mCode(code), mTokens(tokens.data()), mLast(static_cast<int>(tokens.size()) - 1) {}

    void Program() {
        if (Kind() == tkEndOfText) return;
        if (Kind() == tkBegin) {
            Block();
            if (!Failed() && Kind() != tkEndOfText) Error("Program ends before end of the code.");
            return;
        }
        while (!Failed() && Kind() != tkEndOfText) Statement();
    }

private:
    // The list always ends with tkEndOfText; never step beyond it.
    std::int32_t Kind() const { return mTokens[mAt].kind; }
    void Next() {
        if (mAt < mLast) ++mAt;
    }
    void Skip(std::int32_t kind) {
        if (Kind() == kind) Next();
    }
    bool Failed() const { return mError.ErrorFound; }
    void Error(const char* message) { ReportError(mCode, mTokens[mAt].position, message); }
    // Steps over the expected symbol; otherwise reports the message.
    bool Expect(std::int32_t kind, const char* message) {
        if (Kind() != kind) {
            Error(message);
            return false;
        }
        Next();
        return true;
    }

    // Counts the nesting of statements and terms, which every recursion of
    // the grammar passes through.
    bool Enter() {
        if (++mDepth > kMaxCodeNesting) {
            Error("Code is nested too deeply.");
            return false;
        }
        return true;
    }
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    };

    static bool IsBinaryOperator(std::int32_t kind) {
        return kind == tkAssign || kind == tkAnd || kind == tkOr || (kind >= tkLess && kind <= tkBitXor) ||
               kind == tkShiftLeft || kind == tkShiftRight;
    }

    void Statement() {
        Leave leave{mDepth};
        if (!Enter()) return;
        switch (Kind()) {
        case tkCall: Call(); break;
        case tkBegin: Block(); break;
        case tkIf:
            Next();
            Expression();
            if (Failed()) return;
            Skip(tkThen);
            Statement();
            if (Failed()) return;
            if (Kind() == tkElse) {
                Next();
                Statement();
            }
            break;
        case tkWhile:
        case tkWith:
            Next();
            Expression();
            if (Failed()) return;
            Skip(tkDo);
            Statement();
            break;
        case tkDo:
            Next();
            Statement();
            if (Failed()) return;
            if (!Expect(tkUntil, "Keyword until expected.")) return;
            Expression();
            break;
        case tkFor:
            Next();
            if (!Expect(tkOpenParen, "Symbol ( expected.")) return;
            Statement();
            if (Failed()) return;
            Skip(tkSemicolon);
            Expression();
            if (Failed()) return;
            Skip(tkSemicolon);
            Statement();
            if (Failed()) return;
            if (!Expect(tkCloseParen, "Symbol ) expected.")) return;
            Statement();
            break;
        case tkRepeat:
            Next();
            Expression();
            if (Failed()) return;
            Statement();
            break;
        case tkExit:
        case tkBreak:
        case tkContinue: Next(); break;
        case tkReturn:
            Next();
            Expression();
            break;
        case tkSwitch:
            Next();
            Expression();
            if (Failed()) return;
            if (Kind() != tkBegin) return Error("Symbol { expected.");
            Block();
            break;
        case tkCase:
            Next();
            Expression();
            if (Failed()) return;
            Expect(tkColon, "Symbol : expected.");
            break;
        case tkDefault:
            Next();
            Expect(tkColon, "Symbol : expected.");
            break;
        case tkVar:
            Next();
            while (Kind() == tkVariable) {
                Next();
                Skip(tkComma);
            }
            break;
        case tkSemicolon: break;
        case tkEndOfText: return Error("Unexpected end of code reached.");
        default: Assignment(); break;
        }
        if (Failed()) return;
        while (Kind() == tkSemicolon) Next();
    }

    // From the "{" to after the "}".
    void Block() {
        Next();
        while (Kind() != tkEnd) {
            if (Kind() == tkEndOfText) return Error("Symbol } expected.");
            Statement();
            if (Failed()) return;
        }
        Next();
    }

    void Assignment() {
        Term();
        if (Failed()) return;
        switch (Kind()) {
        case tkAssign:
        case tkAddAssign:
        case tkSubAssign:
        case tkMulAssign:
        case tkDivAssign:
            Next();
            Expression();
            break;
        default: Error("Assignment operator expected."); break;
        }
    }

    void Expression() {
        Term();
        while (!Failed() && IsBinaryOperator(Kind())) {
            Next();
            Term();
        }
    }

    void Term() {
        Leave leave{mDepth};
        if (!Enter()) return;
        Factor();
        while (!Failed() && Kind() == tkDot) {
            Next();
            VariableReference();
        }
    }

    void Factor() {
        switch (Kind()) {
        case tkCall: Call(); break;
        case tkVariable: VariableReference(); break;
        case tkOpenParen:
            Next();
            Expression();
            if (Failed()) return;
            Expect(tkCloseParen, "Symbol ) expected.");
            break;
        case tkValue: Next(); break;
        case tkNot:
        case tkPlus:
        case tkMinus:
        case tkBitNot:
            Next();
            Term();
            break;
        default: Error("Unexpected symbol in expression."); break;
        }
    }

    void Call() {
        const std::int32_t function = ValueOf(mTokens[mAt]);
        Next();  // the name
        Next();  // the "(" that made it a call
        const int arguments = ExpressionList(tkCloseParen, "Symbol ) expected.", "Symbol , or ) expected.");
        if (arguments < 0) return;
        const int expected = Function_ArgCount(function);
        if (arguments > 16 || (expected >= 0 && expected != arguments))
            return Error("Wrong number of arguments to function or script.");
        Next();
    }

    void VariableReference() {
        if (Kind() != tkVariable) return Error("Variable name expected.");
        Next();
        if (Kind() != tkOpenBracket) return;
        Next();
        if (ExpressionList(tkCloseBracket, "Symbol ] expected.", "Symbol , or ] expected.") >= 0) Next();
    }

    // Expressions separated by commas up to the closing symbol, which is
    // left current (a trailing comma before it is accepted). The number of
    // expressions, or -1 after an error.
    int ExpressionList(std::int32_t close, const char* closeExpected, const char* commaOrCloseExpected) {
        int count = 0;
        for (;;) {
            if (Kind() == tkEndOfText) {
                Error(closeExpected);
                return -1;
            }
            if (Kind() == close) return count;
            Expression();
            if (Failed()) return -1;
            ++count;
            if (Kind() == tkComma) {
                Next();
            } else if (Kind() != close) {
                Error(commaOrCloseExpected);
                return -1;
            }
        }
    }

    std::string_view mCode;
    const Token* mTokens;
    int mLast;
    int mAt = 0;
    int mDepth = 0;
    const CheckErrorRecord& mError = CheckError();
};

}  // namespace

bool Code_Phase3(std::string_view code, const RTokenList2& tokens) {
    CheckError().ErrorFound = false;
    if (tokens.tokens.empty()) return true;
    GrammarCheck<RToken2> check(code, tokens.tokens);
    check.Program();
    return !CheckError().ErrorFound;
}

bool CheckCode(std::string_view code, const NameResolver& game) {
    // Names are resolved while the tokens are made, in place, so a large
    // script needs one pass over the text and one token array: each token
    // takes its phase-2 kind, and a call keeps its function index where its
    // text length was. A name is resolved once the token after it is known.
    // An unknown function is reported only after the whole text has been
    // tokenized, since an unexpected symbol anywhere is the first error.
    RTokenList1 tokens;
    int unknownCall = -1;  // token index of the first unknown function
    std::string unknownName;
    auto resolvePrevious = [&](RTokenList1& list) {
        const int last = list.Count() - 1;
        std::int32_t& kind = list.tokens[last].kind;
        kind = LiteralKind(kind);
        if (last == 0 || unknownCall >= 0) return;
        RToken1& previous = list.tokens[last - 1];
        if (previous.kind != tkName) return;
        std::int32_t index = 0;
        if (!ResolveName(list.Text(last - 1), kind == tkOpenParen, game, previous.kind, index)) {
            unknownCall = last - 1;
            unknownName = list.Text(last - 1);
            return;
        }
        if (previous.kind == tkCall) previous.textLength = index;
    };
    if (!ScanTokens(code, tokens, resolvePrevious)) return false;
    CheckError().ErrorFound = false;
    if (unknownCall >= 0) {
        ReportError(code, tokens.tokens[unknownCall].position, "Unknown function or script: " + unknownName);
        return false;
    }
    GrammarCheck<RToken1> check(code, tokens.tokens);
    check.Program();
    return !CheckError().ErrorFound;
}

}  // namespace kestrin
