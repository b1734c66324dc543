// SoundPlayer: a QMediaPlayer that reports once whether a file can be played.

#include "image_editors/sound_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace kestrin {

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {
    // Any program that makes a player gets the backend the app chose.
    ChooseMediaBackend();
    mPlayer = new QMediaPlayer(this);
    connect(mPlayer, &QMediaPlayer::mediaStatusChanged, this, [this] { StatusChanged(); });
    connect(mPlayer, &QMediaPlayer::errorOccurred, this, [this] { StatusChanged(); });
    AttachOutputWhenThereIsADevice();
}

void SoundPlayer::AttachOutputWhenThereIsADevice() {
    if (mOutput || QMediaDevices::audioOutputs().isEmpty()) return;
    mOutput = new QAudioOutput(this);
    mPlayer->setAudioOutput(mOutput);
}

void SoundPlayer::Open(const QString& file) {
    Close();
    mOpening = true;
    mPlayer->setSource(QUrl::fromLocalFile(file));
}

void SoundPlayer::Close() {
    mOpening = false;
    mLoaded = false;
    mPlayer->stop();
    mPlayer->setSource(QUrl());
}

// One word per opening: the file was read without an error (Loaded), or it
// could not be read or decoded (Failed). A file the backend cannot open
// reports itself loaded with an error set.
void SoundPlayer::StatusChanged() {
    if (!mOpening) return;
    QMediaPlayer::MediaStatus status = mPlayer->mediaStatus();
    if (mPlayer->error() != QMediaPlayer::NoError || status == QMediaPlayer::InvalidMedia) {
        mOpening = false;
        emit Failed();
    } else if (status == QMediaPlayer::LoadedMedia) {
        mOpening = false;
        mLoaded = true;
        emit Loaded(mPlayer->duration());
    }
}

void SoundPlayer::Play() {
    if (!mLoaded) return;
    AttachOutputWhenThereIsADevice();
    if (mPlayer->position() != 0) mPlayer->setPosition(0);
    mPlayer->play();
}

void SoundPlayer::Stop() {
    if (!mLoaded) return;
    mPlayer->stop();
    mPlayer->setPosition(0);
}

bool SoundPlayer::IsPlaying() const { return mPlayer->playbackState() == QMediaPlayer::PlayingState; }

qint64 SoundPlayer::Position() const { return mPlayer->position(); }

}  // namespace kestrin
