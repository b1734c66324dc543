// The preferences dialog: every control shows its value, OK takes them all
// back and saves, Cancel brings the live colours back, and choosing an
// external program switches to it at once.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

#include "app/color_value.h"
#include "app/preferences_form.h"
#include "app/qt_settings_store.h"
#include "language/color_code.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

struct CheckField {
    const char* control;
    bool Preferences::*field;
};

const CheckField kChecks[] = {
    {"ShowRecentCheck", &Preferences::ShowRecent},
    {"LoadLastCheck", &Preferences::LoadLast},
    {"BackupCheck", &Preferences::Backup},
    {"ShowProgressCheck", &Preferences::ShowProgress},
    {"RemoveTempCheck", &Preferences::RemoveTemp},
    {"HideWaitCheck", &Preferences::HideWait},
    {"WarningCheck", &Preferences::Warning},
    {"ActionHintsCheck", &Preferences::ActionHints},
    {"RemoveOutsideCheck", &Preferences::RemoveOutside},
    {"RememberRoomSettingsCheck", &Preferences::RememberRoomSettings},
    {"SpriteOriginCheck", &Preferences::SpriteOrigin},
    {"ColorCodeCheck", &Preferences::ColorCode},
    {"GroupUndoCheck", &Preferences::GroupUndo},
    {"AutomaticIndentCheck", &Preferences::AutomaticIndent},
    {"SmartTabsCheck", &Preferences::SmartTabs},
    {"FunctionHelpCheck", &Preferences::FunctionHelp},
};

struct SpinField {
    const char* control;
    int Preferences::*field;
    int shown;   // value put into the preferences before opening
    int chosen;  // value the user types
};

const SpinField kSpins[] = {
    {"MaxBackupValue", &Preferences::MaxBackup, 3, 9},
    {"UndoValue", &Preferences::UndoValue, 0, 999},
    {"IndentValue", &Preferences::IndentValue, 8, 1},
};

struct TextField {
    const char* control;
    std::string Preferences::*field;
};

const TextField kTexts[] = {
    {"CodeEdit", &Preferences::CodeEditor},
    {"EditorEdit", &Preferences::ImageEditor},
    {"WaveEditorEdit", &Preferences::WaveEditor},
    {"MidiEditorEdit", &Preferences::MidiEditor},
    {"Mp3EditorEdit", &Preferences::Mp3Editor},
};

template <class W>
W* Find(QWidget& form, const char* name) {
    W* widget = form.findChild<W*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void Click(QWidget& form, const char* name) {
    if (auto* button = Find<QPushButton>(form, name)) button->click();
}

Preferences Unusual() {
    Preferences p;
    bool flip = false;
    for (const auto& check : kChecks) p.*check.field = (flip = !flip);
    for (const auto& spin : kSpins) p.*spin.field = spin.shown;
    for (const auto& text : kTexts) p.*text.field = std::string("/opt/") + text.control;
    p.CodeEditorInternal = false;
    p.ImageEditorInternal = true;
    p.Colors[0] = 0x010203;
    p.FontName = "Mono Test";
    p.FontSize = 13;
    return p;
}

TEST(PreferencesForm, ShowsEveryValueAndOkTakesThemBackAndSaves) {
    test::TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("k.ini")), QSettings::IniFormat);
    QtSettingsStore store(settings);
    Preferences prefs = Unusual();
    const Preferences before = prefs;
    TPreferencesForm form(prefs, &store);

    for (const auto& check : kChecks) {
        if (auto* box = Find<QCheckBox>(form, check.control)) {
            EXPECT_EQ(box->isChecked(), prefs.*check.field) << check.control;
        }
    }
    for (const auto& spin : kSpins) {
        if (auto* box = Find<QSpinBox>(form, spin.control)) {
            EXPECT_EQ(box->value(), spin.shown) << spin.control;
        }
    }
    for (const auto& text : kTexts) {
        if (auto* box = Find<QLineEdit>(form, text.control)) {
            EXPECT_EQ(box->text().toStdString(), prefs.*text.field);
        }
    }
    EXPECT_TRUE(Find<QRadioButton>(form, "RadioCode2")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>(form, "RadioEditor1")->isChecked());
    EXPECT_EQ(Find<QPushButton>(form, "FontButton")->text(), QStringLiteral("Mono Test, 13"));
    auto* colors = Find<QListWidget>(form, "ColorList");
    ASSERT_EQ(colors->count(), kColorClassCount);
    EXPECT_EQ(colors->currentRow(), 0);
    EXPECT_EQ(colors->item(15)->text(), QStringLiteral("Time lines"));
    EXPECT_EQ(Find<QFrame>(form, "ColorShape")->palette().color(QPalette::Window), ToQColor(0x010203));

    // Change everything, then confirm.
    for (const auto& check : kChecks) Find<QCheckBox>(form, check.control)->toggle();
    for (const auto& spin : kSpins) Find<QSpinBox>(form, spin.control)->setValue(spin.chosen);
    for (const auto& text : kTexts) Find<QLineEdit>(form, text.control)->setText(QLatin1String(text.control));
    Find<QRadioButton>(form, "RadioCode1")->setChecked(true);
    Find<QRadioButton>(form, "RadioEditor2")->setChecked(true);
    form.SetFontChooser([](QWidget*, const QFont& current) -> std::optional<QFont> {
        EXPECT_EQ(current.family(), QStringLiteral("Mono Test"));
        return QFont(QStringLiteral("Other Mono"), 17);
    });
    Click(form, "FontButton");
    Click(form, "OKBtn");

    EXPECT_EQ(form.result(), QDialog::Accepted);
    for (const auto& check : kChecks) EXPECT_NE(prefs.*check.field, before.*check.field) << check.control;
    for (const auto& spin : kSpins) EXPECT_EQ(prefs.*spin.field, spin.chosen) << spin.control;
    for (const auto& text : kTexts) EXPECT_EQ(prefs.*text.field, text.control);
    EXPECT_TRUE(prefs.CodeEditorInternal);
    EXPECT_FALSE(prefs.ImageEditorInternal);
    EXPECT_EQ(prefs.FontName, "Other Mono");
    EXPECT_EQ(prefs.FontSize, 17);

    // Saved through the store under the documented names.
    EXPECT_EQ(store.ReadInteger(kPreferencesKey, "UndoValue"), 999);
    EXPECT_EQ(store.ReadText(kPreferencesKey, "Mp3Editor"), "Mp3EditorEdit");
    EXPECT_EQ(store.ReadText(kPreferencesKey, "FontName"), "Other Mono");
    EXPECT_EQ(store.ReadInteger(kPreferencesKey, "CodeEditorInternal"), 1);
}

TEST(PreferencesForm, ColourChangesAreLiveAndCancelRestoresThemAndNothingElse) {
    Preferences prefs;
    const Preferences before = prefs;
    TPreferencesForm form(prefs);
    std::vector<QColor> offered;
    form.SetColorChooser([&](QWidget*, const QColor& current) -> std::optional<QColor> {
        offered.push_back(current);
        return QColor(10, 20, 30);
    });

    Find<QListWidget>(form, "ColorList")->setCurrentRow(ccRoom);
    EXPECT_EQ(Find<QFrame>(form, "ColorShape")->palette().color(QPalette::Window), ToQColor(before.Colors[ccRoom]));
    Click(form, "ChangeColorBtn");
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0], ToQColor(before.Colors[ccRoom]));
    // In the live table while the dialog is still open: red in the low byte.
    EXPECT_EQ(prefs.Colors[ccRoom], 10 | (20 << 8) | (30 << 16));
    EXPECT_EQ(Find<QFrame>(form, "ColorShape")->palette().color(QPalette::Window), QColor(10, 20, 30));

    Find<QCheckBox>(form, "BackupCheck")->setChecked(!before.Backup);
    Find<QLineEdit>(form, "CodeEdit")->setText(QStringLiteral("/bin/ed"));
    Click(form, "CancelBtn");
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(prefs.Colors, before.Colors);
    EXPECT_EQ(prefs.Backup, before.Backup);
    EXPECT_EQ(prefs.CodeEditor, before.CodeEditor);

    // A dismissed colour dialog changes nothing; closing by Escape cancels too.
    TPreferencesForm again(prefs);
    again.SetColorChooser([](QWidget*, const QColor&) -> std::optional<QColor> { return std::nullopt; });
    Click(again, "ChangeColorBtn");
    EXPECT_EQ(prefs.Colors, before.Colors);
    again.SetColorChooser([](QWidget*, const QColor&) -> std::optional<QColor> { return QColor(Qt::white); });
    Click(again, "ChangeColorBtn");
    EXPECT_NE(prefs.Colors, before.Colors);
    again.reject();
    EXPECT_EQ(prefs.Colors, before.Colors);
}

TEST(PreferencesForm, ChoosingAProgramFillsItsBoxAndSelectsTheExternalEditor) {
    struct Case {
        const char* button;
        const char* box;
        const char* internalRadio;  // null: no choice of editor
        const char* externalRadio;
    };
    const Case cases[] = {
        {"CodeButton", "CodeEdit", "RadioCode1", "RadioCode2"},
        {"EditorButton", "EditorEdit", "RadioEditor1", "RadioEditor2"},
        {"WaveEditorBtn", "WaveEditorEdit", nullptr, nullptr},
        {"MidiEditorBtn", "MidiEditorEdit", nullptr, nullptr},
        {"Mp3EditorBtn", "Mp3EditorEdit", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Preferences prefs;
        TPreferencesForm form(prefs);
        QString answer;
        form.SetProgramChooser([&](QWidget*, const QString&) { return answer; });

        // Dismissed: nothing changes.
        Click(form, c.button);
        EXPECT_TRUE(Find<QLineEdit>(form, c.box)->text().isEmpty());
        if (c.internalRadio) {
            EXPECT_TRUE(Find<QRadioButton>(form, c.internalRadio)->isChecked());
        }

        answer = QStringLiteral("/usr/bin/program");
        Click(form, c.button);
        EXPECT_EQ(Find<QLineEdit>(form, c.box)->text(), answer);
        if (c.externalRadio) {
            EXPECT_TRUE(Find<QRadioButton>(form, c.externalRadio)->isChecked());
        }
        Click(form, "OKBtn");
    }
    Preferences prefs;
    TPreferencesForm form(prefs);
    form.SetProgramChooser([](QWidget*, const QString&) { return QStringLiteral("/usr/bin/vim"); });
    Click(form, "CodeButton");
    Click(form, "OKBtn");
    EXPECT_FALSE(prefs.CodeEditorInternal);
    EXPECT_EQ(prefs.CodeEditor, "/usr/bin/vim");
    EXPECT_TRUE(prefs.ImageEditorInternal);
}

}  // namespace
}  // namespace kestrin
