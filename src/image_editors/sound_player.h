#pragma once
// SoundPlayer: test playback of a sound file through Qt Multimedia. Opening
// is asynchronous: Loaded or Failed follows once the file was read. Sound
// goes to an audio output only when the machine has an output device, since
// playing into a missing device brings the program down.

#include <QObject>
#include <QString>

#include "image_editors/media_backend.h"

class QAudioOutput;
class QMediaPlayer;

namespace kestrin {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);

    void Open(const QString& file);
    // Stops and lets go of the file.
    void Close();
    // From the start again when the position is not there.
    void Play();
    // Stops and goes back to the start.
    void Stop();

    bool IsLoaded() const { return mLoaded; }
    bool IsPlaying() const;
    qint64 Position() const;

signals:
    void Loaded(qint64 milliseconds);
    void Failed();

private:
    void StatusChanged();
    void AttachOutputWhenThereIsADevice();

    QMediaPlayer* mPlayer;
    QAudioOutput* mOutput = nullptr;
    bool mOpening = false;
    bool mLoaded = false;
};

}  // namespace kestrin
