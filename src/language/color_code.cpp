// Colouring one line: comments, strings, words and single characters.

#include "language/color_code.h"

#include "language/builtin_names.h"
#include "language/token_scanner.h"

namespace kestrin {

ColorClass ResourceColorClass(ResourceKind kind) {
    switch (kind) {
    case ResourceKind::Sprite: return ccSprite;
    case ResourceKind::Sound: return ccSound;
    case ResourceKind::Background: return ccBackground;
    case ResourceKind::Path: return ccPath;
    case ResourceKind::Script: return ccScript;
    case ResourceKind::DataFile: return ccDataFile;
    case ResourceKind::TimeLine: return ccTimeLine;
    case ResourceKind::Object: return ccObject;
    case ResourceKind::Room: return ccRoom;
    }
    return ccText;
}

ColorClass WordColorClass(std::string_view word, const NameResolver& game) {
    if (IsReservedWord(word)) return ccKeyword;
    if (game.IsResourceName(word)) {
        static const ResourceKind order[] = {ResourceKind::Object,     ResourceKind::Room,   ResourceKind::Sprite,
                                             ResourceKind::Sound,      ResourceKind::Background,
                                             ResourceKind::Script,     ResourceKind::Path,   ResourceKind::DataFile,
                                             ResourceKind::TimeLine};
        for (ResourceKind kind : order)
            if (game.FindResource(kind, word) >= 0) return ResourceColorClass(kind);
    }
    const CNameTables& tables = NameTables();
    if (tables.IsLocal(word)) return ccLocalVariable;
    if (tables.IsGlobal(word)) return ccGlobalVariable;
    if (tables.FindBuiltinFunction(word) >= 0) return ccFunction;
    if (Constant_IsConstant(word, game)) return ccConstant;
    return ccText;
}

bool ColorCode_Classify(std::string_view line, bool startsInComment, const NameResolver& game,
                        std::vector<std::uint8_t>& classes) {
    const std::size_t n = line.size();
    classes.assign(n, ccText);
    bool inComment = startsInComment;
    std::size_t i = 0;  // 0-based here
    auto closesComment = [&](std::size_t at) { return at > 0 && line[at - 1] == '*' && line[at] == '/'; };
    while (i < n) {
        if (inComment && (i == 0 || !closesComment(i))) {
            classes[i++] = ccComment;
            continue;
        }
        if (closesComment(i)) {
            // Also outside a comment: a stray "*/" colours its "/".
            classes[i++] = ccComment;
            inComment = false;
            continue;
        }
        const char c = line[i];
        if (i + 1 < n && c == '/' && line[i + 1] == '*') {
            classes[i] = classes[i + 1] = ccComment;
            inComment = true;
            i += 2;
            continue;
        }
        if (i + 1 < n && c == '/' && line[i + 1] == '/') {
            for (; i < n; ++i) classes[i] = ccComment;
            break;
        }
        if (c == '"' || c == '\'') {
            std::size_t j = i + 1;
            while (j + 1 < n && line[j] != c) ++j;
            i = j + 1;
            continue;
        }
        if (scan::IsNameStart(static_cast<unsigned char>(c))) {
            std::size_t end = i + 1;
            while (end < n && scan::IsNameChar(static_cast<unsigned char>(line[end]))) ++end;
            ColorClass wordClass = WordColorClass(line.substr(i, end - i), game);
            for (; i < end; ++i) classes[i] = wordClass;
            continue;
        }
        classes[i++] = (c == '{' || c == '}') ? ccKeyword : ccText;
    }
    return inComment;
}

std::vector<ColorRun> ColorCode_Runs(const std::vector<std::uint8_t>& classes, const ColorTable& colors) {
    std::vector<ColorRun> runs;
    std::size_t i = 0;
    while (i < classes.size()) {
        std::size_t end = i + 1;
        while (end < classes.size() && classes[end] == classes[i]) ++end;
        ColorClass cls = static_cast<ColorClass>(classes[i]);
        runs.push_back(ColorRun{static_cast<int>(i), static_cast<int>(end - i), cls, colors[cls], cls == ccKeyword,
                                cls == ccComment});
        i = end;
    }
    return runs;
}

}  // namespace kestrin
