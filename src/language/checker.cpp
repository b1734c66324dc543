// The checker's second and third phases. The grammar is loose on purpose:
// operators have no precedence and most keywords that introduce a body are
// optional; each rule accepts exactly what the language accepts.

#include "language/checker.h"

#include "language/builtin_names.h"
#include "language/check_error.h"
#include "language/token_scanner.h"

namespace kestrin {

namespace {

// The phase-2 kind of phase-1 token i and, for a call, its function index;
// false (with the error reported) for a call of an unknown name.
bool Resolve(const RTokenList1& source, int i, const NameResolver& game, std::int32_t& kind, std::int32_t& value) {
    const RToken1& token = source.tokens[i];
    value = 0;
    kind = token.kind;
    if (token.kind == tkName) {
        std::string_view name = source.Text(i);
        if (i + 1 < source.Count() && source.tokens[i + 1].kind == tkOpenParen) {
            FunctionLookup lookup = Function_Find(name, game);
            if (!lookup.found) {
                ReportError(source.code, token.position, "Unknown function or script: " + std::string(name));
                return false;
            }
            kind = tkCall;
            value = lookup.index;
        } else {
            kind = Constant_IsValueName(name, game) ? tkValue : tkVariable;
        }
    } else if (token.kind == tkNumber || token.kind == tkString) {
        kind = tkValue;
    }
    return true;
}

}  // namespace

bool Code_Phase2(const RTokenList1& source, RTokenList2& result, const NameResolver& game) {
    CheckError().ErrorFound = false;
    result.tokens.clear();
    result.tokens.reserve(source.tokens.size());
    for (int i = 0; i < source.Count(); ++i) {
        RToken2 resolved{0, 0, source.tokens[i].position};
        if (!Resolve(source, i, game, resolved.kind, resolved.value)) return false;
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
            if (Kind() != tkUntil) return Error("Keyword until expected.");
            Next();
            Expression();
            break;
        case tkFor:
            Next();
            if (Kind() != tkOpenParen) return Error("Symbol ( expected.");
            Next();
            Statement();
            if (Failed()) return;
            Skip(tkSemicolon);
            Expression();
            if (Failed()) return;
            Skip(tkSemicolon);
            Statement();
            if (Failed()) return;
            if (Kind() != tkCloseParen) return Error("Symbol ) expected.");
            Next();
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
            Next();
            while (Kind() != tkEnd) {
                if (Kind() == tkEndOfText) return Error("Symbol } expected.");
                Statement();
                if (Failed()) return;
            }
            Next();
            break;
        case tkCase:
            Next();
            Expression();
            if (Failed()) return;
            if (Kind() != tkColon) return Error("Symbol : expected.");
            Next();
            break;
        case tkDefault:
            Next();
            if (Kind() != tkColon) return Error("Symbol : expected.");
            Next();
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
            if (Kind() != tkCloseParen) return Error("Symbol ) expected.");
            Next();
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
        int arguments = 0;
        for (;;) {
            if (Kind() == tkEndOfText) return Error("Symbol ) expected.");
            if (Kind() == tkCloseParen) {
                int expected = Function_ArgCount(function);
                if (arguments > 16 || (expected >= 0 && expected != arguments))
                    return Error("Wrong number of arguments to function or script.");
                Next();
                return;
            }
            Expression();
            if (Failed()) return;
            ++arguments;
            if (Kind() == tkComma)
                Next();
            else if (Kind() != tkCloseParen)
                return Error("Symbol , or ) expected.");
        }
    }

    void VariableReference() {
        if (Kind() != tkVariable) return Error("Variable name expected.");
        Next();
        if (Kind() != tkOpenBracket) return;
        Next();
        for (;;) {
            if (Kind() == tkEndOfText) return Error("Symbol ] expected.");
            if (Kind() == tkCloseBracket) {
                Next();
                return;
            }
            Expression();
            if (Failed()) return;
            if (Kind() == tkComma)
                Next();
            else if (Kind() != tkCloseBracket)
                return Error("Symbol , or ] expected.");
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
        if (kind == tkNumber || kind == tkString) kind = tkValue;
        if (last == 0 || unknownCall >= 0) return;
        RToken1& previous = list.tokens[last - 1];
        if (previous.kind != tkName) return;
        std::string_view name = list.Text(last - 1);
        if (kind == tkOpenParen) {
            FunctionLookup lookup = Function_Find(name, game);
            if (!lookup.found) {
                unknownCall = last - 1;
                unknownName = name;
                return;
            }
            previous.kind = tkCall;
            previous.textLength = lookup.index;
        } else {
            previous.kind = Constant_IsValueName(name, game) ? tkValue : tkVariable;
        }
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
