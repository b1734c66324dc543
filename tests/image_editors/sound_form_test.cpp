// The sound window: its controls per kind, real playback of a wave file made
// here (no sound card needed: the player runs without an output device),
// loading, saving, the external editor and closing.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "image_editors/file_messages.h"
#include "image_editors/sound_form.h"
#include "image_editors/sound_player.h"
#include "image_editors/sound_rules.h"
#include "image_editors/value_edit.h"
#include "platform/file_system.h"
#include "platform/scratch_folder.h"
#include "stream/zlib_codec.h"
#include "support/editor_fixture.h"
#include "support/temp_dir.h"

namespace kestrin {
namespace {

// One second of silence: 8000 samples of 8 bits at 8000 Hz.
std::string OneSecondWave() {
    std::string bytes;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    auto put16 = [&](std::uint16_t v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    };
    const std::uint32_t samples = 8000;
    bytes += "RIFF";
    put32(36 + samples);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);  // PCM
    put16(1);  // mono
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    bytes += "data";
    put32(samples);
    bytes.append(samples, static_cast<char>(128));
    return bytes;
}

const std::string kMidiBytes("MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\4\0\xff\x2f\0", 26);

class SoundFormTest : public test::EditorTest {
protected:
    SoundFormTest() {
        const char* old = std::getenv("temp");
        if (old) mOldTemp = old;
        mHadTemp = old != nullptr;
        ::setenv("temp", dir.Path().c_str(), 1);
        MakeScratchFolder();
        index = game.Sounds().AddResource();
        game.Sounds().RenameResource(index, "snd_bell");
        game.ClearChangedFlags();
    }
    ~SoundFormTest() override {
        for (QMdiSubWindow* window : area.subWindowList()) delete window;
        RemoveScratchFolder();
        mHadTemp ? ::setenv("temp", mOldTemp.c_str(), 1) : ::unsetenv("temp");
    }
    TSoundForm* OpenForm() { return Open<TSoundForm>(ResourceKind::Sound, index); }
    CSound& Sound() { return *game.Sounds().ResourceAt(index); }
    template <class W>
    static W* Child(QWidget* form, const char* name) {
        return form->findChild<W*>(QString::fromLatin1(name));
    }
    static bool Shown(QWidget* form, const char* name) { return Child<QWidget>(form, name)->isVisible(); }
    static QString Text(QWidget* form, const char* name) { return Child<QLabel>(form, name)->text(); }
    // Near the left end: check boxes take clicks only on their box and text.
    void Click(QWidget* form, const char* name) {
        QAbstractButton* button = Child<QAbstractButton>(form, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    std::string WriteFile(const std::string& name, const std::string& bytes) {
        std::string path = dir.File(name);
        WriteFileAtomically(path, bytes.data(), bytes.size());
        return path;
    }
    void Import(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(Sound().LoadFromFile(WriteFile(name, bytes)));
        game.ClearChangedFlags();
    }
    // An executable script standing in for an external sound editor.
    std::string WriteEditor(const char* name, const std::string& body, bool executable = true) {
        std::string path = WriteFile(name, "#!/bin/sh\n" + body + "\n");
        ::chmod(path.c_str(), executable ? 0755 : 0644);
        return path;
    }
    // Player state settles asynchronously.
    static bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }

    test::TempDir dir;
    int index = 0;

private:
    std::string mOldTemp;
    bool mHadTemp = false;
};

TEST(SoundRules, ControlsSaveTypeAndEditorFollowTheKind) {
    Preferences prefs;
    prefs.WaveEditor = "wave-ed";
    prefs.MidiEditor = "midi-ed";
    prefs.Mp3Editor = "mp3-ed";
    struct Case {
        std::int32_t kind;
        bool buffersAndEffects, editable;
        const char *kindText, *filter, *extension, *editor;
    };
    const Case cases[] = {
        {kSoundNone, false, false, "", "", "", ""},
        {kSoundWave, true, true, "Kind: Wave", "Wave files (*.wav)", "wav", "wave-ed"},
        {kSoundMidi, false, true, "Kind: Midi", "MIDI files (*.mid)", "mid", "midi-ed"},
        {kSoundMp3, false, true, "Kind: Mp3", "MP3 files (*.mp3)", "mp3", "mp3-ed"},
        {kSoundUnknown, false, false, "Kind: Unknown", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        SoundControls controls = SoundControlsFor(c.kind);
        EXPECT_EQ(controls.buffersAndEffects, c.buffersAndEffects);
        EXPECT_EQ(controls.editable, c.editable);
        EXPECT_STREQ(controls.kindText, c.kindText);
        EXPECT_EQ(SoundSaveTypeFor(c.kind).filter, c.filter);
        EXPECT_EQ(SoundSaveTypeFor(c.kind).extension, c.extension);
        EXPECT_EQ(SoundEditorFor(c.kind, prefs), c.editor);
    }
}

TEST_F(SoundFormTest, AnEmptySoundShowsNoPlayerAndOpeningMarksNothing) {
    Sound().Buffers = 0;
    TSoundForm* form = OpenForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Sound Properties: snd_bell"));
    for (const char* name : {"KindLabel", "TimeLabel", "PlayBtn", "StopBtn", "PlayerNote"})
        EXPECT_FALSE(Shown(form, name)) << name;
    EXPECT_FALSE(Child<QPushButton>(form, "SaveBtn")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(form, "EditBtn")->isEnabled());
    EXPECT_EQ(Child<TValueEdit>(form, "BufferCount")->text(), QStringLiteral("1"));
    EXPECT_FALSE(form->Edited());
    EXPECT_FALSE(game.GameChanged());
}

// What the window shows for each kind of sound it holds.
TEST_F(SoundFormTest, TheControlsAndKindTextFollowTheKind) {
    struct Case {
        const char* file;
        bool buffersAndEffects, editable;
        const char* kindText;
    };
    const Case cases[] = {
        {"bell.wav", true, true, "Kind: Wave"},
        {"theme.MID", false, true, "Kind: Midi"},
        {"song.mp3", false, true, "Kind: Mp3"},
        {"clip.ogg", false, false, "Kind: Unknown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Import(c.file, OneSecondWave());
        QPointer<TSoundForm> form = OpenForm();
        EXPECT_EQ(Shown(form, "BufferCount"), c.buffersAndEffects);
        EXPECT_EQ(Shown(form, "EffectsCheck"), c.buffersAndEffects);
        EXPECT_TRUE(Shown(form, "LoadOnUseCheck"));
        EXPECT_EQ(Child<QPushButton>(form, "EditBtn")->isEnabled(), c.editable);
        EXPECT_EQ(Text(form, "KindLabel"), QString::fromLatin1(c.kindText));
        EXPECT_TRUE(Shown(form, "KindLabel"));
        EXPECT_FALSE(form->Edited());
        form->CloseWithOk();
        Settle();
    }
}

TEST_F(SoundFormTest, TheAdvancedPanelShowsOnlyInAdvancedMode) {
    Prefs().Advanced = false;
    TSoundForm* form = OpenForm();
    EXPECT_FALSE(Shown(form, "AdvancedPanel"));
}

TEST_F(SoundFormTest, AWaveFilePlaysAndStopRewinds) {
    Import("bell.wav", OneSecondWave());
    TSoundForm* form = OpenForm();
    ASSERT_TRUE(WaitFor([&] { return Shown(form, "TimeLabel"); }));
    EXPECT_EQ(Text(form, "TimeLabel"), QStringLiteral("Time: 1000 msec."));
    EXPECT_TRUE(Shown(form, "PlayBtn"));
    EXPECT_TRUE(Shown(form, "StopBtn"));
    EXPECT_FALSE(Shown(form, "PlayerNote"));

    QMediaPlayer* player = form->findChild<QMediaPlayer*>();
    ASSERT_NE(player, nullptr);
    Click(form, "PlayBtn");
    EXPECT_TRUE(form->Player().IsPlaying());
    player->setPosition(600);
    ASSERT_TRUE(WaitFor([&] { return player->position() == 600; }));
    Click(form, "StopBtn");
    EXPECT_FALSE(form->Player().IsPlaying());
    EXPECT_TRUE(WaitFor([&] { return player->position() == 0; }));

    // Play starts again from the beginning.
    player->setPosition(400);
    ASSERT_TRUE(WaitFor([&] { return player->position() == 400; }));
    Click(form, "PlayBtn");
    EXPECT_TRUE(form->Player().IsPlaying());
    EXPECT_TRUE(WaitFor([&] { return player->position() < 400; }));
    EXPECT_FALSE(form->Edited());
}

TEST_F(SoundFormTest, SoundsThePlayerCannotReadShowNoPlayButSaySo) {
    const std::pair<const char*, std::string> cases[] = {
        {"broken.wav", std::string("this is not a wave file")},
        {"theme.mid", kMidiBytes},
    };
    for (const auto& [file, bytes] : cases) {
        SCOPED_TRACE(file);
        Import(file, bytes);
        QPointer<TSoundForm> form = OpenForm();
        ASSERT_TRUE(WaitFor([&] { return Shown(form, "PlayerNote"); }));
        EXPECT_FALSE(Shown(form, "PlayBtn"));
        EXPECT_FALSE(Shown(form, "TimeLabel"));
        bool midi = Sound().Kind == kSoundMidi;
        EXPECT_EQ(Text(form, "PlayerNote"), midi ? QStringLiteral("MIDI sounds cannot be played here.")
                                                 : QStringLiteral("This sound cannot be played here."));
        Click(form, "PlayBtn");  // hidden, and harmless all the same
        EXPECT_FALSE(form->Player().IsPlaying());
        form->CloseWithOk();
        Settle();
    }
}

TEST_F(SoundFormTest, TheFieldsSetTheSoundAndMark) {
    Import("bell.wav", OneSecondWave());
    TSoundForm* form = OpenForm();
    TValueEdit* buffers = Child<TValueEdit>(form, "BufferCount");
    buffers->selectAll();
    QTest::keyClicks(buffers, QStringLiteral("40"));
    EXPECT_EQ(Sound().Buffers, 16);
    Click(form, "EffectsCheck");
    Click(form, "LoadOnUseCheck");
    EXPECT_TRUE(Sound().Effects);
    EXPECT_TRUE(Sound().LoadOnUse);
    EXPECT_TRUE(form->Edited());
    EXPECT_TRUE(game.Sounds().Changed());
}

// An import replaces the sound and marks; No brings back the sound, the name
// and the settings of the opening.
TEST_F(SoundFormTest, LoadReplacesTheSoundAndNoRestoresIt) {
    Import("bell.wav", OneSecondWave());
    Sound().Buffers = 3;
    QPointer<TSoundForm> form = OpenForm();
    Prefs().SoundDir = dir.Path();
    dialogs.Files.push_back(WriteFile("theme.mid", kMidiBytes));
    Click(form, "LoadBtn");
    EXPECT_EQ(dialogs.FileSpecs.back().folder, dir.Path());
    EXPECT_EQ(dialogs.FileSpecs.back().filter, kSoundOpenFilter);
    EXPECT_EQ(Sound().Kind, kSoundMidi);
    EXPECT_TRUE(Sound().LoadOnUse);
    EXPECT_EQ(Text(form, "KindLabel"), QStringLiteral("Kind: Midi"));
    EXPECT_FALSE(Shown(form, "BufferCount"));
    EXPECT_TRUE(form->Edited());
    EXPECT_EQ(game.ResourceIcon(ResourceKind::Sound, index), game.Sounds().ResourceIcon(index));
    QLineEdit* name = Child<QLineEdit>(form, "NameEdit");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("snd_theme"));
    EXPECT_EQ(game.Sounds().ResourceName(index), "snd_theme");

    ui.ScriptAnswers({Answer::No});
    form->close();
    Settle();
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(Sound().Kind, kSoundWave);
    EXPECT_EQ(Sound().Data(), OneSecondWave());
    EXPECT_EQ(Sound().Buffers, 3);
    EXPECT_FALSE(Sound().LoadOnUse);
    EXPECT_EQ(game.Sounds().ResourceName(index), "snd_bell");
}

TEST_F(SoundFormTest, LoadAndSaveFailuresShowMessagesAndMarkNothing) {
    TSoundForm* form = OpenForm();
    dialogs.Files.push_back(dir.File("gone.wav"));
    Click(form, "LoadBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToLoadFileMessage});

    ui.Reset();
    std::string huge = dir.File("huge.wav");
    ASSERT_EQ(::truncate(WriteFile("huge.wav", "").c_str(), off_t(kMaxInflatedSize) + 1), 0);
    dialogs.Files.push_back(huge);
    Click(form, "LoadBtn");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFileTooLargeMessage});
    EXPECT_FALSE(Sound().HasData());
    EXPECT_FALSE(form->Edited());

    ui.Reset();
    dialogs.Files.push_back(WriteFile("bell.wav", OneSecondWave()));
    Click(form, "LoadBtn");
    dialogs.Files.push_back(dir.File("no such folder/out.wav"));
    Click(form, "SaveBtn");
    EXPECT_EQ(dialogs.FileSpecs.back().filter, "Wave files (*.wav)");
    EXPECT_EQ(dialogs.FileSpecs.back().defaultExtension, "wav");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{kFailedToSaveFileMessage});
    dialogs.Files.push_back(dir.File("out.wav"));
    Click(form, "SaveBtn");
    EXPECT_EQ(ReadFileText(dir.File("out.wav")), OneSecondWave());
}

// The external editor's result replaces the sound only when the editor ran
// and its file was read back.
TEST_F(SoundFormTest, TheExternalEditorReplacesTheSoundOnlyWhenItRanAndGaveItBack) {
    struct Case {
        const char* what;
        std::string editor;  // empty: none named
        const char* message;
        bool replaced;
    };
    const Case cases[] = {
        {"none named", "", kNoSoundEditorMessage, false},
        {"missing", dir.File("missing-editor"), kNoSoundEditorMessage, false},
        {"not runnable", WriteEditor("plain-file", "exit 0", false), kNoSoundEditorMessage, false},
        {"deletes the file", WriteEditor("deleter", "rm \"$1\""), kSoundReadBackFailedMessage, false},
        {"edits the file", WriteEditor("editor", "printf 'edited' > \"$1\""), nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Import("bell.wav", OneSecondWave());
        Prefs().WaveEditor = c.editor;
        ui.Reset();
        QPointer<TSoundForm> form = OpenForm();
        Click(form, "EditBtn");
        EXPECT_EQ(ui.Messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(Sound().Data(), c.replaced ? std::string("edited") : OneSecondWave());
        EXPECT_EQ(form->Edited(), c.replaced);
        EXPECT_EQ(Sound().Kind, kSoundWave);
        form->CloseWithOk();
        Settle();
    }
}

// Deleting the sound closes its window without a question, the player let go.
TEST_F(SoundFormTest, AListDrivenCloseAsksNothing) {
    Import("bell.wav", OneSecondWave());
    QPointer<TSoundForm> form = OpenForm();
    ASSERT_TRUE(WaitFor([&] { return Shown(form, "PlayBtn"); }));
    Click(form, "PlayBtn");
    Click(form, "LoadOnUseCheck");
    game.Sounds().DeleteResource(index);
    Settle();
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(ui.Questions().empty());
}

}  // namespace
}  // namespace kestrin
