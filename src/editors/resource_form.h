#pragma once
// TResourceForm: what every resource editor window is built on. It opens on
// the live resource of a list slot and keeps a deep copy and the name at
// opening, so that the user's "No" to "Save the changes to NAME?" can put the
// resource back. It knows three ways to close:
//  - the user's close (close box, Ctrl+F4, the main window's commands):
//    refused while a menu or nested dialog of the window is open; asks when
//    this window changed something, the kind's flag is still set and OK was
//    not used;
//  - OK: closes without a question;
//  - the list's close (the resource deleted, the list cleared or cut back):
//    never asks, never restores and never touches the resource again, which
//    may be freed already.
// ResourceForm<R> below adds the copy for a resource class R.

#include <QMdiSubWindow>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "storage/game.h"
#include "storage/resource_editor.h"

class QLineEdit;

namespace kestrin {

struct FileDialogSpec;

// "Sprite", "Sound", ... as windows name their kind.
const char* KindWord(ResourceKind kind);

inline constexpr const char* kSaveChangesToPrefix = "Save the changes to ";

class TResourceForm : public QMdiSubWindow, public ResourceEditor {
    Q_OBJECT
public:
    TResourceForm(Game& game, ResourceKind kind, int index, QWidget* parent = nullptr);
    ~TResourceForm() override;

    Game& GameData() const { return mGame; }
    ResourceKind Kind() const { return mKind; }
    int Index() const { return mIndex; }
    ResourceListBase& List() const { return *mGame.ListOf(mKind); }
    // This window changed the resource since it opened or since the last save.
    bool Edited() const { return mChanged; }
    const std::string& NameAtOpening() const { return mNameAtOpening; }
    // The list has closed this window: after a nested dialog or menu returns,
    // check this before touching the resource or the window's state.
    bool Forgotten() const { return mForgotten; }
    // A menu or nested dialog of this window is open.
    bool Busy() const { return mBusy > 0; }

    // ResourceEditor.
    void BringToFront() override;
    void CloseEditor() override;
    void ShowName(const std::string& name) override;

    // The app tells open editors what changed in the game. Resources of a
    // kind were added, deleted, renamed, loaded or merged, or got a new icon:
    // refresh names, icons and references to them.
    virtual void ResourcesChanged(ResourceKind kind) { (void)kind; }
    // The game was saved: what is live now is the state to go back to.
    void GameSaved();

    // The OK button: closes without the question.
    void CloseWithOk();

    // Mutes the control handlers while the window fills its own controls.
    class FillScope {
    public:
        explicit FillScope(TResourceForm& form) : mForm(form) { ++mForm.mFilling; }
        ~FillScope() { --mForm.mFilling; }
        FillScope(const FillScope&) = delete;
        FillScope& operator=(const FillScope&) = delete;

    private:
        TResourceForm& mForm;
    };

    // Held around every menu and nested dialog the window opens. A list
    // close that comes meanwhile only hides the window; it is deleted once
    // the last scope ends.
    class BusyScope {
    public:
        explicit BusyScope(TResourceForm& form);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TResourceForm& mForm;
    };

protected:
    // Subclasses call this at the end of their constructor: takes the copy
    // and the name, and fills the controls with the handlers muted.
    void Open();
    virtual void TakeBackup() = 0;
    virtual void RestoreBackup() = 0;
    // Puts the model into the controls (called muted).
    virtual void FillControls() {}
    // The window is really closing (not refused), before the list hears of it.
    virtual void Closing() {}
    // The window title for a name.
    virtual QString TitleFor(const std::string& name) const;

    // This window changed the resource: its flag and the kind's flag.
    void Mark();
    bool Filling() const { return mFilling > 0; }
    // The name field: typing renames the resource (and marks), a rename from
    // elsewhere writes the field without coming back here.
    void AttachNameEdit(QLineEdit* edit);
    // The file chooser as a nested dialog of this window: nothing when it
    // was cancelled or the list closed the window meanwhile. A remembered
    // folder takes the folder of the chosen file.
    std::optional<std::string> ChooseFileNested(const FileDialogSpec& spec, std::string* rememberedFolder = nullptr);
    // The resource got a new picture: the list's icon and this window's follow.
    void IconChanged();

    void closeEvent(QCloseEvent* event) override;

private:
    void Forget();

    Game& mGame;
    ResourceKind mKind;
    int mIndex;
    std::string mNameAtOpening;
    QLineEdit* mNameEdit = nullptr;
    bool mChanged = false;
    bool mForgotten = false;
    bool mClosingWithOk = false;
    bool mDeletePending = false;
    int mFilling = 0;
    int mBusy = 0;
};

// The list of resource class R.
template <class R>
CResourceList<R>& ListOfClass(Game& game) {
    if constexpr (std::is_same_v<R, CSprite>) return game.Sprites();
    else if constexpr (std::is_same_v<R, CSound>) return game.Sounds();
    else if constexpr (std::is_same_v<R, CBackground>) return game.Backgrounds();
    else if constexpr (std::is_same_v<R, CPath>) return game.Paths();
    else if constexpr (std::is_same_v<R, CScript>) return game.Scripts();
    else if constexpr (std::is_same_v<R, CDataFile>) return game.DataFiles();
    else if constexpr (std::is_same_v<R, CTimeLine>) return game.TimeLines();
    else if constexpr (std::is_same_v<R, CObject>) return game.Objects();
    else return game.Rooms();
}

// Deep copy between two resources of a class, whichever form its Assign takes.
template <class R>
void AssignResource(R& to, const R& from) {
    if constexpr (requires { to.Assign(&from); })
        to.Assign(&from);
    else
        to.Assign(from);
}

// An editor of resource class R: the live resource and its copy.
template <class R>
class ResourceForm : public TResourceForm {
public:
    ResourceForm(Game& game, int index, QWidget* parent = nullptr)
        : TResourceForm(game, ListOfClass<R>(game).Kind(), index, parent) {}

    // The live resource; null once the list has forgotten the window.
    R* Resource() const { return Forgotten() ? nullptr : ListOfClass<R>(GameData()).ResourceAt(Index()); }
    const R& Backup() const { return *mBackup; }

protected:
    void TakeBackup() override {
        if (!mBackup) mBackup = std::make_unique<R>();
        if (R* live = Resource()) AssignResource(*mBackup, *live);
    }
    void RestoreBackup() override {
        if (R* live = Resource(); live && mBackup) AssignResource(*live, *mBackup);
    }

private:
    std::unique_ptr<R> mBackup;
};

}  // namespace kestrin
