#pragma once
// TPlaceholderForm: the child window that stands in for a resource editor
// that does not exist yet. It shows the resource's kind and name and says so
// in its title; closing it tells the resource's list.

#include <QMdiSubWindow>
#include <functional>
#include <string>

#include "storage/resource_editor.h"

class QLabel;

namespace kestrin {

class Game;

// The title of a placeholder window: "<what> (editor not yet available)".
QString PlaceholderTitle(const std::string& what);

class TPlaceholderForm : public QMdiSubWindow, public ResourceEditor {
    Q_OBJECT
public:
    // A window for a resource of a list.
    TPlaceholderForm(Game& game, ResourceKind kind, int index, QWidget* parent = nullptr);
    // A window for something without a list (game information, game options).
    TPlaceholderForm(const std::string& what, QWidget* parent = nullptr);
    ~TPlaceholderForm() override;

    // ResourceEditor.
    void BringToFront() override;
    void CloseEditor() override;
    void ShowName(const std::string& name) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Build(const std::string& what);
    void Forget();

    Game* mGame = nullptr;
    ResourceKind mKind = ResourceKind::Sprite;
    int mIndex = -1;
    QLabel* mLabel = nullptr;
    bool mForgotten = false;
};

}  // namespace kestrin
