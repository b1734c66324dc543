#pragma once
// The editors' shared dialogs answered from scripts, keeping what was asked.
// An empty script answers Cancel.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editors/editor_dialogs.h"
#include "imaging/bitmap24.h"

namespace kestrin::test {

class ScriptedEditorDialogs : public EditorDialogs {
public:
    struct ValuesAsked {
        std::string title;
        int count;
        std::array<std::string, 3> captions;
        std::array<std::int32_t, 3> values;
    };

    // Each answer gets the values as proposed and returns the new ones, or
    // nothing for Cancel.
    using ValuesAnswer = std::function<std::optional<std::array<std::int32_t, 3>>(const ValuesAsked&)>;
    std::deque<ValuesAnswer> Values;
    std::deque<std::optional<CodeEditResult>> Code;
    std::deque<std::optional<std::int32_t>> Colors;
    std::deque<std::optional<QFont>> Fonts;
    std::deque<std::optional<std::string>> Files;
    std::deque<std::vector<std::string>> FileLists;

    // Each answer edits the image and says whether it changed it.
    std::deque<std::function<bool(Bitmap24&, bool allowResize, bool transparent)>> ImageEdits;
    int ImageEditsAsked = 0;
    // The neighbours shown with each image edit asked, in order.
    std::vector<std::vector<Bitmap24>> ImageEditNeighbours;

    // Each answer may change the strip settings and says OK or Cancel.
    std::deque<std::function<bool(const Bitmap24& picture, bool lockSize)>> Strips;
    std::deque<int> Placements;
    // Each answer edits the sprite and says whether it replaced its frames.
    std::deque<std::function<bool(CSprite&)>> SpriteEdits;
    int StripsAsked = 0, PlacementsAsked = 0, SpriteEditsAsked = 0;

    std::vector<ValuesAsked> ValuesQuestions;
    std::vector<CodeEditRequest> CodeRequests;
    std::vector<FileDialogSpec> FileSpecs;
    int ColorQuestions = 0, FontQuestions = 0;

    // Answers the next values dialog with OK and these values.
    void AnswerValues(std::array<std::int32_t, 3> values) {
        Values.push_back([values](const ValuesAsked&) { return std::optional(values); });
    }
    void AnswerValue(std::int32_t value) { AnswerValues({value, 0, 0}); }
    void CancelValues() {
        Values.push_back([](const ValuesAsked&) { return std::optional<std::array<std::int32_t, 3>>(); });
    }

    bool AskValues(const std::string& title, int count, const std::array<std::string, 3>& captions,
                   std::array<std::int32_t, 3>& values) override {
        ValuesAsked asked{title, count, captions, values};
        ValuesQuestions.push_back(asked);
        if (Values.empty()) return false;
        ValuesAnswer answer = std::move(Values.front());
        Values.pop_front();
        auto result = answer(asked);
        if (!result) return false;
        for (int i = 0; i < count && i < 3; ++i) values[i] = (*result)[i];
        return true;
    }
    std::optional<CodeEditResult> EditCode(const CodeEditRequest& request) override {
        CodeRequests.push_back(request);
        return Take(Code);
    }
    std::optional<std::int32_t> ChooseColor(std::int32_t) override {
        ++ColorQuestions;
        return Take(Colors);
    }
    std::optional<QFont> ChooseFont(const QFont&) override {
        ++FontQuestions;
        return Take(Fonts);
    }
    std::optional<std::string> ChooseFile(const FileDialogSpec& spec) override {
        FileSpecs.push_back(spec);
        return Take(Files);
    }
    std::vector<std::string> ChooseFiles(const FileDialogSpec& spec) override {
        FileSpecs.push_back(spec);
        if (FileLists.empty()) return {};
        auto files = std::move(FileLists.front());
        FileLists.pop_front();
        return files;
    }

    bool EditImage(Bitmap24& image, bool allowResize, bool transparent, const ImageEditContext& context) override {
        ++ImageEditsAsked;
        ImageEditNeighbours.push_back(context.neighbours);
        if (ImageEdits.empty()) return false;
        auto edit = std::move(ImageEdits.front());
        ImageEdits.pop_front();
        return edit(image, allowResize, transparent);
    }

    bool AskStrip(const Bitmap24& picture, bool lockSize) override {
        ++StripsAsked;
        if (Strips.empty()) return false;
        auto answer = std::move(Strips.front());
        Strips.pop_front();
        return answer(picture, lockSize);
    }
    // An unscripted question is answered as the window's close box does.
    int AskPlacement() override {
        ++PlacementsAsked;
        if (Placements.empty()) return 0;
        int answer = Placements.front();
        Placements.pop_front();
        return answer;
    }
    bool EditSprite(CSprite& sprite) override {
        ++SpriteEditsAsked;
        if (SpriteEdits.empty()) return false;
        auto edit = std::move(SpriteEdits.front());
        SpriteEdits.pop_front();
        return edit(sprite);
    }

private:
    template <class T>
    static std::optional<T> Take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

}  // namespace kestrin::test
