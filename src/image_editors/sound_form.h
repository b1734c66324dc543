#pragma once
// TSoundForm: the window of one sound: its name, the file it holds (loaded,
// saved, edited in the external program of its kind), test playback, and the
// runner's settings (advanced mode).

#include "editors/resource_form.h"
#include "resources/sound.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrin {

class SoundPlayer;
class TValueEdit;

class TSoundForm : public ResourceForm<CSound> {
    Q_OBJECT
public:
    TSoundForm(Game& game, int index, QWidget* parent = nullptr);

    SoundPlayer& Player() const { return *mPlayer; }

protected:
    void FillControls() override;
    void Closing() override;

private:
    void LoadSound();
    void SaveSound();
    void EditSound();
    // After showing and after every import: the player opens a fresh copy.
    void RefreshPlayer();
    void ClosePlayer();
    void ShowLoaded(qint64 milliseconds);
    void ShowUnplayable();
    // The sound's bytes were replaced: marked, shown, the icon made again.
    void SoundReplaced();

    QLineEdit* mNameEdit;
    QLabel* mKindLabel;
    QLabel* mTimeLabel;
    QLabel* mPlayerNote;
    QPushButton* mPlayButton;
    QPushButton* mStopButton;
    QPushButton* mSaveButton;
    QGroupBox* mAdvancedPanel;
    QLabel* mBuffersLabel;
    TValueEdit* mBufferCount;
    QCheckBox* mEffectsCheck;
    QCheckBox* mLoadOnUseCheck;
    QPushButton* mEditButton;
    SoundPlayer* mPlayer;
    std::string mScratchFile;
};

}  // namespace kestrin
