// The argument and direction dialog: building it from the definition,
// choosing values, and writing them back.

#include "editors/action_argument_form.h"

#include <QCheckBox>
#include <QCursor>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "actions/action_definition.h"
#include "actions/argument_menu.h"
#include "actions/icon_store.h"
#include "actions/font_value.h"
#include "app/color_value.h"
#include "app/text_convert.h"
#include "editors/action_drawing.h"
#include "editors/editor_dialogs.h"
#include "editors/popup_menu.h"
#include "storage/game.h"
#include "storage/resource_menu.h"
#include "storage/tree_codes.h"

namespace kestrin {

namespace {

std::int32_t TreeTypeOf(int editKind) {
    switch (editKind) {
    case kArgSprite: return kTypeSprites;
    case kArgSound: return kTypeSounds;
    case kArgBackground: return kTypeBackgrounds;
    case kArgPath: return kTypePaths;
    case kArgScript: return kTypeScripts;
    case kArgObject: return kTypeObjects;
    case kArgRoom: return kTypeRooms;
    case kArgDataFile: return kTypeDataFiles;
    case kArgTimeLine: return kTypeTimeLines;
    default: return 0;
    }
}

QFont ToQFont(const FontValue& value) {
    QFont font(ToQt(value.Name));
    font.setPointSize(std::max(1, value.Size));
    font.setBold(value.Bold);
    font.setItalic(value.Italic);
    font.setUnderline(value.Underline);
    font.setStrikeOut(value.StrikeOut);
    return font;
}

// The chosen font; the colour stays, since a font chooser does not offer it.
FontValue FromQFont(const QFont& font, const FontValue& previous) {
    FontValue value = previous;
    value.Name = FromQt(font.family());
    if (font.pointSize() > 0) value.Size = font.pointSize();
    value.Bold = font.bold();
    value.Italic = font.italic();
    value.Underline = font.underline();
    value.StrikeOut = font.strikeOut();
    return value;
}

// Keypad order: row by row from the top, buttons 7 8 9, 4 5 6, 1 2 3.
constexpr std::array<int, 9> kKeypadOrder = {7, 8, 9, 4, 5, 6, 1, 2, 3};

}  // namespace

TActionForm::TActionForm(Game& game, const CAction& action, const CActionDefinition& definition, QWidget* parent)
    : QDialog(parent),
      mGame(game),
      mDefinition(definition),
      mDirections(definition.InterfaceKind == kInterfaceDirections) {
    mAction.Assign(action);
    setObjectName(QStringLiteral("TActionForm"));
    setWindowTitle(ToQt(definition.Description));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    mActionImg = new QLabel(this);
    mActionImg->setObjectName(QStringLiteral("ActionImg"));
    mActionImg->setFixedSize(kIconSize + 4, kIconSize + 4);
    mActionImg->setPixmap(ActionIconPixmap(definition.IconIndex));
    top->addWidget(mActionImg, 0, Qt::AlignTop);
    BuildAppliesTo(this);
    top->addWidget(mWhoBox, 1);
    layout->addLayout(top);

    BuildValueBox(this);
    BuildMotionBox(this);
    layout->addWidget(mValueBox);
    layout->addWidget(mMotionBox);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    SetUpAppliesTo();
    mWhoBox->setVisible(mDirections || definition.CanApplyTo);
    mValueBox->setVisible(!mDirections);
    mMotionBox->setVisible(mDirections);
    if (mDirections) {
        const std::vector<bool> down = DirectionsFromText(mAction.GetArgValue(0));
        for (int i = 0; i < 9; ++i) mMotion[static_cast<std::size_t>(i)]->setChecked(down[static_cast<std::size_t>(i)]);
        mSpeedEdit->setText(ToQt(mAction.GetArgValue(1)));
        mRelative2Btn->setChecked(mAction.Relative);
    } else {
        SetUpRows();
        mRelativeBtn->setVisible(definition.CanBeRelative);
        mRelativeBtn->setChecked(mAction.Relative);
        mNotBtn->setVisible(definition.IsQuestion);
        mNotBtn->setChecked(mAction.Not);
    }
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TActionForm::BuildAppliesTo(QWidget* parent) {
    mWhoBox = new QGroupBox(tr("Applies to"), parent);
    mWhoBox->setObjectName(QStringLiteral("WhoBox"));
    auto* grid = new QGridLayout(mWhoBox);
    mWhoSelf = new QRadioButton(tr("Self"), mWhoBox);
    mWhoSelf->setObjectName(QStringLiteral("WhoSelf"));
    mWhoOther = new QRadioButton(tr("Other"), mWhoBox);
    mWhoOther->setObjectName(QStringLiteral("WhoOther"));
    mWhoObjectBtn = new QRadioButton(tr("Object:"), mWhoBox);
    mWhoObjectBtn->setObjectName(QStringLiteral("WhoObject"));
    mWhoName = new QLineEdit(mWhoBox);
    mWhoName->setObjectName(QStringLiteral("WhoName"));
    mWhoName->setReadOnly(true);
    mWhoName->installEventFilter(this);
    mWhoMenuBtn = new QToolButton(mWhoBox);
    mWhoMenuBtn->setObjectName(QStringLiteral("WhoMenuBtn"));
    mWhoMenuBtn->setText(QStringLiteral("..."));
    grid->addWidget(mWhoSelf, 0, 0, 1, 3);
    grid->addWidget(mWhoOther, 1, 0, 1, 3);
    grid->addWidget(mWhoObjectBtn, 2, 0);
    grid->addWidget(mWhoName, 2, 1);
    grid->addWidget(mWhoMenuBtn, 2, 2);
    connect(mWhoMenuBtn, &QToolButton::clicked, this, [this] { ChooseObject(QCursor::pos()); });
    connect(mWhoObjectBtn, &QRadioButton::toggled, this, [this](bool on) {
        mWhoName->setVisible(on);
        mWhoMenuBtn->setVisible(on);
    });
}

void TActionForm::BuildValueBox(QWidget* parent) {
    mValueBox = new QGroupBox(parent);
    mValueBox->setObjectName(QStringLiteral("ValueBox"));
    auto* grid = new QGridLayout(mValueBox);
    for (int n = 0; n < kArgumentRows; ++n) {
        RowWidgets& row = mRowWidgets[static_cast<std::size_t>(n)];
        row.caption = new QLabel(mValueBox);
        row.caption->setObjectName(QStringLiteral("ValueText%1").arg(n));
        row.value = new QLineEdit(mValueBox);
        row.value->setObjectName(QStringLiteral("ValueVal%1").arg(n));
        row.value->setMinimumWidth(180);
        row.value->installEventFilter(this);
        row.menuButton = new QToolButton(mValueBox);
        row.menuButton->setObjectName(QStringLiteral("MenuBtn%1").arg(n));
        row.menuButton->setText(QStringLiteral("..."));
        connect(row.menuButton, &QToolButton::clicked, this, [this, n] { ChooseValue(n, QCursor::pos()); });
        connect(row.value, &QLineEdit::textEdited, this,
                [this, n](const QString& text) { mRows[static_cast<std::size_t>(n)].text = FromQt(text); });
        grid->addWidget(row.caption, n, 0);
        grid->addWidget(row.value, n, 1);
        grid->addWidget(row.menuButton, n, 2);
    }
    mRelativeBtn = new QCheckBox(tr("Relative"), mValueBox);
    mRelativeBtn->setObjectName(QStringLiteral("RelativeBtn"));
    mNotBtn = new QCheckBox(tr("NOT"), mValueBox);
    mNotBtn->setObjectName(QStringLiteral("NotBtn"));
    grid->addWidget(mRelativeBtn, kArgumentRows, 0);
    grid->addWidget(mNotBtn, kArgumentRows, 1);
}

void TActionForm::BuildMotionBox(QWidget* parent) {
    mMotionBox = new QGroupBox(tr("Directions"), parent);
    mMotionBox->setObjectName(QStringLiteral("MotionBox"));
    auto* grid = new QGridLayout(mMotionBox);
    static const char* const kArrows[9] = {"\u2199", "\u2193", "\u2198", "\u2190", "\u25a0",
                                           "\u2192", "\u2196", "\u2191", "\u2197"};
    for (int position = 0; position < 9; ++position) {
        const int number = kKeypadOrder[static_cast<std::size_t>(position)];
        auto* button = new QToolButton(mMotionBox);
        button->setObjectName(QStringLiteral("Motion%1").arg(number));
        button->setCheckable(true);
        button->setText(QString::fromUtf8(kArrows[number - 1]));
        button->setFixedSize(32, 32);
        mMotion[static_cast<std::size_t>(number - 1)] = button;
        grid->addWidget(button, position / 3, position % 3);
    }
    grid->addWidget(new QLabel(tr("Speed:"), mMotionBox), 3, 0);
    mSpeedEdit = new QLineEdit(mMotionBox);
    mSpeedEdit->setObjectName(QStringLiteral("SpeedEdit"));
    grid->addWidget(mSpeedEdit, 3, 1, 1, 2);
    mRelative2Btn = new QCheckBox(tr("Relative"), mMotionBox);
    mRelative2Btn->setObjectName(QStringLiteral("Relative2Btn"));
    grid->addWidget(mRelative2Btn, 4, 0, 1, 3);
}

void TActionForm::SetUpAppliesTo() {
    const std::int32_t target = mAction.AppliesTo;
    mWhoObject = target;
    mWhoName->setText(ToQt(mGame.ResourceName(ResourceKind::Object, target)));
    if (target == kObjectSelf)
        mWhoSelf->setChecked(true);
    else if (target == kObjectOther)
        mWhoOther->setChecked(true);
    else
        mWhoObjectBtn->setChecked(true);
    mWhoName->setVisible(mWhoObjectBtn->isChecked());
    mWhoMenuBtn->setVisible(mWhoObjectBtn->isChecked());
}

void TActionForm::SetUpRows() {
    mRowCount = std::clamp(mDefinition.ArgCount, 0, kArgumentRows);
    for (int n = 0; n < kArgumentRows; ++n) {
        const RowWidgets& widgets = mRowWidgets[static_cast<std::size_t>(n)];
        const bool used = n < mRowCount;
        widgets.caption->setVisible(used);
        widgets.value->setVisible(used);
        widgets.menuButton->setVisible(used);
        if (!used) continue;
        const auto slot = static_cast<std::size_t>(n);
        mRows[slot] = MakeArgumentRow(mDefinition.ArgKind[slot], mAction.GetArgValue(n), mDefinition.ArgMenu[slot]);
        widgets.caption->setText(ToQt(mDefinition.ArgCaption[slot]));
        const bool text = mRows[slot].editKind == kArgText;
        widgets.value->setReadOnly(!text);
        widgets.menuButton->setVisible(!text);
        if (!text) widgets.value->setCursor(Qt::PointingHandCursor);
        ShowRow(n);
    }
}

void TActionForm::ShowRow(int n) {
    const ArgumentRow& row = mRows[static_cast<std::size_t>(n)];
    QLineEdit* box = mRowWidgets[static_cast<std::size_t>(n)].value;
    box->setText(ToQt(ShownRowText(row, mGame)));
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, row.editKind == kArgColor ? ToQColor(row.number) : QColor(Qt::white));
    box->setPalette(palette);
    box->setFont(row.editKind == kArgFont ? ToQFont(ParseFontValue(row.text)) : font());
}

void TActionForm::ChooseValue(int n, const QPoint& globalPos) {
    if (n < 0 || n >= mRowCount) return;
    ArgumentRow& row = mRows[static_cast<std::size_t>(n)];
    switch (row.editKind) {
    case kArgText: return;
    case kArgBoolean: {
        QMenu menu(this);
        menu.addAction(QStringLiteral("false"))->setData(0);
        menu.addAction(QStringLiteral("true"))->setData(1);
        QAction* chosen = ExecPopupMenu(menu, globalPos);
        if (!chosen) return;
        row.number = chosen->data().toInt();
        break;
    }
    case kArgMenu: {
        QMenu menu(this);
        int number = 0;
        for (const std::string& item : row.items) {
            if (item == kMenuSeparatorItem)
                menu.addSeparator();
            else
                menu.addAction(ToQt(item))->setData(number++);
        }
        QAction* chosen = ExecPopupMenu(menu, globalPos);
        if (!chosen) return;
        row.number = chosen->data().toInt();
        break;
    }
    case kArgColor: {
        std::optional<std::int32_t> color = UsedEditorDialogs().ChooseColor(row.number);
        if (!color) return;
        row.number = *color;
        break;
    }
    case kArgFont: {
        const FontValue previous = ParseFontValue(row.text);
        std::optional<QFont> font = UsedEditorDialogs().ChooseFont(ToQFont(previous));
        if (!font) return;
        row.text = ComposeFontValue(FromQFont(*font, previous));
        break;
    }
    default: {
        const std::int32_t type = TreeTypeOf(row.editKind);
        if (type == 0) return;
        const std::int32_t chosen = ChooseResourceFromMenu(mGame, type, NoResourceText(row.editKind), globalPos);
        if (chosen == kMenuDismissed) return;
        row.number = chosen;
        break;
    }
    }
    ShowRow(n);
}

void TActionForm::ChooseObject(const QPoint& globalPos) {
    const std::int32_t chosen = ChooseResourceFromMenu(mGame, kTypeObjects, std::nullopt, globalPos);
    if (chosen == kMenuDismissed || chosen < 0) return;
    ShowWhoObject(chosen);
}

void TActionForm::ShowWhoObject(std::int32_t object) {
    mWhoObject = object;
    mWhoName->setText(ToQt(mGame.ResourceName(ResourceKind::Object, object)));
}

std::int32_t TActionForm::AppliesTo() const {
    if (mWhoSelf->isChecked()) return kObjectSelf;
    if (mWhoOther->isChecked()) return kObjectOther;
    return mWhoObject;
}

bool TActionForm::WriteBack(CAction& action) const {
    CAction before;
    before.Assign(action);
    if (!mWhoBox->isHidden()) action.AppliesTo = AppliesTo();
    if (mDirections) {
        std::vector<bool> down(9);
        for (int i = 0; i < 9; ++i) down[static_cast<std::size_t>(i)] = mMotion[static_cast<std::size_t>(i)]->isChecked();
        action.SetArgValue(0, DirectionText(down));
        action.SetArgValue(1, FromQt(mSpeedEdit->text()));
        action.Relative = mRelative2Btn->isChecked();
    } else {
        for (int n = 0; n < mRowCount; ++n) action.SetArgValue(n, RowValueText(mRows[static_cast<std::size_t>(n)]));
        action.Relative = mRelativeBtn->isChecked();
        action.Not = mNotBtn->isChecked();
    }
    return action.AppliesTo != before.AppliesTo || action.Relative != before.Relative || action.Not != before.Not ||
           action.ArgValue != before.ArgValue;
}

bool TActionForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (watched == mWhoName) {
            ChooseObject(pos);
            return true;
        }
        for (int n = 0; n < mRowCount; ++n) {
            if (watched == mRowWidgets[static_cast<std::size_t>(n)].value &&
                mRows[static_cast<std::size_t>(n)].editKind != kArgText) {
                ChooseValue(n, pos);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TActionForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!mDirections && mRowCount > 0 && mRowWidgets[0].value->isVisible()) mRowWidgets[0].value->setFocus();
}

}  // namespace kestrin
