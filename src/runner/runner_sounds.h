#pragma once
// The game's sounds played through Qt Multimedia. A sound's bytes are written
// to a scratch folder the first time it plays; the folder goes with the
// object. Each sound has as many players as its buffers allow, so it can
// sound over itself. A panned wave sound plays from a panned copy of its
// file, one per pan in twentieths, written when first needed. Sound reaches an audio output only when the machine has
// an output device, since playing into a missing device brings the program
// down.

#include <QString>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QAudioOutput;
class QMediaPlayer;

namespace kestrin {
class Game;
}

namespace kestrin::runner {

class RunnerSounds {
public:
    explicit RunnerSounds(Game& game);
    ~RunnerSounds();
    RunnerSounds(const RunnerSounds&) = delete;
    RunnerSounds& operator=(const RunnerSounds&) = delete;

    // A sound without data, or one that cannot be written out, stays silent.
    void Play(int sound, bool loop);
    void Stop(int sound);
    void StopAll();
    bool Playing(int sound) const;
    // From 0 to 1; kept for the sound's later plays.
    void SetVolume(int sound, double volume);
    // The game loaded the sound anew (or deleted it): its players and file
    // go, and the next play prepares it from the record again.
    void Forget(int sound);
    // How fast (and so how high) the sound plays, 1 as recorded; kept for later plays.
    void SetRate(int sound, double rate);
    // From -1 (left only) to 1 (right only); kept for later plays. Playing
    // voices go on from where they are. A sound that is not an uncompressed
    // wave file plays from both sides as recorded.
    void SetPan(int sound, double pan);

private:
    struct Voice {
        std::unique_ptr<QMediaPlayer> player;
        QAudioOutput* output = nullptr;  // owned by the player
    };
    struct Sound {
        std::string file;  // as recorded
        std::vector<Voice> voices;
        double volume = 1;
        double rate = 1;
        int pan = 0;  // in twentieths, right positive
        std::map<int, std::string> pannedFiles;
    };
    // The sound with its file written, or null.
    Sound* Prepare(int sound);
    // The file the sound plays from at its pan: the recorded one when it
    // cannot be panned.
    std::string PannedFile(int index, Sound& sound);
    QString WriteFile(const QString& name, const std::string& bytes);
    Voice& FreeVoice(int index, Sound& sound, int buffers);

    Game& mGame;
    QTemporaryDir mFolder;
    std::map<int, Sound> mSounds;
};

}  // namespace kestrin::runner
