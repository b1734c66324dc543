// TSoundForm: the sound window.

#include "image_editors/sound_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "image_editors/file_messages.h"
#include "image_editors/named_controls.h"
#include "image_editors/sound_player.h"
#include "image_editors/sound_rules.h"
#include "image_editors/value_edit.h"
#include "platform/external_program.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

QLabel* MakeLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

TSoundForm::TSoundForm(Game& game, int index, QWidget* parent) : ResourceForm<CSound>(game, index, parent) {
    setObjectName(QStringLiteral("TSoundForm"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    // Wide enough for the title with a usual name.
    body->setMinimumWidth(280);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Name:"), body));
    mNameEdit = new QLineEdit(body);
    mNameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameRow->addWidget(mNameEdit);
    layout->addLayout(nameRow);

    auto* fileRow = new QHBoxLayout;
    auto* loadButton = MakeButton("LoadBtn", "Load Sound", body);
    mSaveButton = MakeButton("SaveBtn", "Save Sound", body);
    fileRow->addWidget(loadButton);
    fileRow->addWidget(mSaveButton);
    layout->addLayout(fileRow);

    auto* playRow = new QHBoxLayout;
    mPlayButton = MakeButton("PlayBtn", "Play", body);
    mStopButton = MakeButton("StopBtn", "Stop", body);
    playRow->addWidget(mPlayButton);
    playRow->addWidget(mStopButton);
    layout->addLayout(playRow);
    mKindLabel = MakeLabel("KindLabel", body);
    mTimeLabel = MakeLabel("TimeLabel", body);
    mPlayerNote = MakeLabel("PlayerNote", body);
    mPlayerNote->setWordWrap(true);
    layout->addWidget(mKindLabel);
    layout->addWidget(mTimeLabel);
    layout->addWidget(mPlayerNote);

    mAdvancedPanel = new QGroupBox(QStringLiteral("Advanced"), body);
    mAdvancedPanel->setObjectName(QStringLiteral("AdvancedPanel"));
    auto* advanced = new QVBoxLayout(mAdvancedPanel);
    auto* buffersRow = new QHBoxLayout;
    mBuffersLabel = new QLabel(QStringLiteral("Buffers:"), mAdvancedPanel);
    mBufferCount = new TValueEdit(mAdvancedPanel);
    mBufferCount->setObjectName(QStringLiteral("BufferCount"));
    mBufferCount->SetMinValue(kMinSoundBuffers);
    mBufferCount->SetMaxValue(kMaxSoundBuffers);
    buffersRow->addWidget(mBuffersLabel);
    buffersRow->addWidget(mBufferCount);
    advanced->addLayout(buffersRow);
    mEffectsCheck = new QCheckBox(QStringLiteral("Allow for Sound Effects"), mAdvancedPanel);
    mEffectsCheck->setObjectName(QStringLiteral("EffectsCheck"));
    mLoadOnUseCheck = new QCheckBox(QStringLiteral("Load Only on Use"), mAdvancedPanel);
    mLoadOnUseCheck->setObjectName(QStringLiteral("LoadOnUseCheck"));
    mEditButton = MakeButton("EditBtn", "Edit Sound", mAdvancedPanel);
    advanced->addWidget(mEffectsCheck);
    advanced->addWidget(mLoadOnUseCheck);
    advanced->addWidget(mEditButton);
    layout->addWidget(mAdvancedPanel);
    mAdvancedPanel->setVisible(Prefs().Advanced);
    layout->addStretch();
    auto* okButton = MakeButton("OKBtn", "OK", body);
    layout->addWidget(okButton);
    setWidget(body);
    AttachNameEdit(mNameEdit);

    mPlayer = new SoundPlayer(this);
    connect(mPlayer, &SoundPlayer::Loaded, this, [this](qint64 milliseconds) { ShowLoaded(milliseconds); });
    connect(mPlayer, &SoundPlayer::Failed, this, [this] { ShowUnplayable(); });
    connect(mPlayButton, &QPushButton::clicked, this, [this] { mPlayer->Play(); });
    connect(mStopButton, &QPushButton::clicked, this, [this] { mPlayer->Stop(); });
    connect(loadButton, &QPushButton::clicked, this, [this] { LoadSound(); });
    connect(mSaveButton, &QPushButton::clicked, this, [this] { SaveSound(); });
    connect(mEditButton, &QPushButton::clicked, this, [this] { EditSound(); });
    connect(okButton, &QPushButton::clicked, this, [this] { CloseWithOk(); });
    connect(mBufferCount, &TValueEdit::ValueChanged, this, [this](std::int32_t value) {
        if (Filling()) return;
        Resource()->Buffers = value;
        Mark();
    });
    connect(mEffectsCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->Effects = on;
        Mark();
    });
    connect(mLoadOnUseCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (Filling()) return;
        Resource()->LoadOnUse = on;
        Mark();
    });
    Open();
}

void TSoundForm::FillControls() {
    const CSound& sound = *Resource();
    SoundControls controls = SoundControlsFor(sound.Kind);
    mBufferCount->SetValue(std::max(sound.Buffers, kMinSoundBuffers));
    mEffectsCheck->setChecked(sound.Effects);
    mLoadOnUseCheck->setChecked(sound.LoadOnUse);
    mBuffersLabel->setVisible(controls.buffersAndEffects);
    mBufferCount->setVisible(controls.buffersAndEffects);
    mEffectsCheck->setVisible(controls.buffersAndEffects);
    mEditButton->setEnabled(controls.editable);
    mSaveButton->setEnabled(sound.HasData());
    RefreshPlayer();
}

void TSoundForm::RefreshPlayer() {
    ClosePlayer();
    mKindLabel->hide();
    mTimeLabel->hide();
    mPlayerNote->hide();
    mPlayButton->hide();
    mStopButton->hide();
    const CSound& sound = *Resource();
    if (!sound.HasData()) return;
    mScratchFile = sound.SaveToTempFile();
    if (FileExists(mScratchFile)) mPlayer->Open(PathToQt(mScratchFile));
    else ShowUnplayable();
    mKindLabel->setText(QString::fromLatin1(SoundControlsFor(sound.Kind).kindText));
    mKindLabel->show();
}

void TSoundForm::ClosePlayer() {
    mPlayer->Close();
    if (!mScratchFile.empty()) DeleteFile(mScratchFile);
    mScratchFile.clear();
}

void TSoundForm::ShowLoaded(qint64 milliseconds) {
    mTimeLabel->setText(QStringLiteral("Time: %1 msec.").arg(milliseconds));
    mTimeLabel->show();
    mPlayButton->show();
    mStopButton->show();
}

void TSoundForm::ShowUnplayable() {
    // The player has no MIDI synthesizer here; other files may just be broken.
    bool midi = !Forgotten() && Resource()->Kind == kSoundMidi;
    mPlayerNote->setText(midi ? QStringLiteral("MIDI sounds cannot be played here.")
                              : QStringLiteral("This sound cannot be played here."));
    mPlayerNote->show();
}

void TSoundForm::Closing() { ClosePlayer(); }

void TSoundForm::SoundReplaced() {
    Mark();
    {
        FillScope muted(*this);
        FillControls();
    }
    IconChanged();
}

void TSoundForm::LoadSound() {
    FileDialogSpec spec;
    spec.objectName = "SoundOpenDialog";
    spec.title = "Load a sound";
    spec.filter = kSoundOpenFilter;
    spec.mustExist = true;
    if (FolderExists(Prefs().SoundDir)) spec.folder = Prefs().SoundDir;
    const std::optional<std::string> file = ChooseFileNested(spec, &Prefs().SoundDir);
    if (!file) return;
    // Refused before reading: the game could not store it.
    if (!FileFitsInGame(*file)) {
        ShowMessage(kFileTooLargeMessage);
        return;
    }
    if (!Resource()->LoadFromFile(*file)) {
        ShowMessage(kFailedToLoadFileMessage);
        return;
    }
    SoundReplaced();
}

void TSoundForm::SaveSound() {
    const CSound& sound = *Resource();
    if (!sound.HasData()) return;
    SoundSaveType type = SoundSaveTypeFor(sound.Kind);
    FileDialogSpec spec;
    spec.objectName = "SoundSaveDialog";
    spec.title = "Save the sound";
    spec.filter = type.filter;
    spec.defaultExtension = type.extension;
    spec.save = true;
    const std::optional<std::string> file = ChooseFileNested(spec);
    if (!file) return;
    if (!Resource()->SaveToFile(*file)) ShowMessage(kFailedToSaveFileMessage);
}

void TSoundForm::EditSound() {
    std::string editor = SoundEditorFor(Resource()->Kind, Prefs());
    if (editor.empty() || !FileExists(editor)) {
        ShowMessage(kNoSoundEditorMessage);
        return;
    }
    std::string file = Resource()->SaveToTempFile();
    if (!FileExists(file)) {
        ShowMessage(kSoundReadBackFailedMessage);
        return;
    }
    bool ran;
    {
        BusyScope busy(*this);
        EditorHost* host = GameData().Editors();
        if (host) host->SetMainWindowVisible(false);
        ran = RunProgram(editor, {file}, ExtractFilePath(editor), true);
        if (host) host->SetMainWindowVisible(true);
    }
    // Only what the editor handed back replaces the sound.
    bool readBack = ran && !Forgotten() && FileExists(file) && FileFitsInGame(file) && Resource()->LoadFromFile(file);
    DeleteFile(file);
    if (Forgotten()) return;
    if (!ran) {
        ShowMessage(kNoSoundEditorMessage);
        return;
    }
    if (!readBack) {
        ShowMessage(kSoundReadBackFailedMessage);
        return;
    }
    SoundReplaced();
}

}  // namespace kestrin
