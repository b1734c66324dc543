// Playing the game's sounds: players per sound, loops, volume, speed, pan.

#include "runner/runner_sounds.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "image_editors/media_backend.h"
#include "runner/panned_wave.h"
#include "storage/game.h"

namespace kestrin::runner {

namespace {

// More players of one sound than this only make noise.
constexpr int kMaxVoices = 8;
// A pan is kept in steps of a twentieth: finer steps cannot be heard, and a
// game that pans a sound every step writes no more than 41 files of it.
constexpr int kPanSteps = 20;

bool IsPlaying(const QMediaPlayer& player) { return player.playbackState() == QMediaPlayer::PlayingState; }

}  // namespace

RunnerSounds::RunnerSounds(Game& game) : mGame(game) { ChooseMediaBackend(); }

RunnerSounds::~RunnerSounds() = default;

RunnerSounds::Sound* RunnerSounds::Prepare(int index) {
    auto found = mSounds.find(index);
    if (found != mSounds.end()) return found->second.file.empty() ? nullptr : &found->second;
    Sound& sound = mSounds[index];
    const CSound* resource = mGame.Sounds().ResourceAt(index);
    if (!resource || !resource->HasData() || !mFolder.isValid()) return nullptr;
    // The backend finds the format from the file's ending, as the sound window does.
    QString ending;
    for (char c : resource->FileType)
        if (std::isalnum(static_cast<unsigned char>(c))) ending += QLatin1Char(c);
    const QString path =
        WriteFile(QString::number(index) + (ending.isEmpty() ? QString() : "." + ending), resource->Data());
    if (path.isEmpty()) return nullptr;
    sound.file = path.toStdString();
    return &sound;
}

QString RunnerSounds::WriteFile(const QString& name, const std::string& bytes) {
    const QString path = mFolder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        return {};
    return path;
}

std::string RunnerSounds::PannedFile(int index, Sound& sound) {
    if (sound.pan == 0) return sound.file;
    auto found = sound.pannedFiles.find(sound.pan);
    if (found != sound.pannedFiles.end()) return found->second;
    std::string path;
    if (const std::optional<std::string> panned =
            PannedWave(mGame.Sounds().ResourceAt(index)->Data(), static_cast<double>(sound.pan) / kPanSteps))
        path = WriteFile(QString("%1_pan%2.wav").arg(index).arg(sound.pan), *panned).toStdString();
    if (path.empty()) path = sound.file;
    sound.pannedFiles[sound.pan] = path;
    return path;
}

RunnerSounds::Voice& RunnerSounds::FreeVoice(int index, Sound& sound, int buffers) {
    for (Voice& voice : sound.voices)
        if (!IsPlaying(*voice.player)) return voice;
    if (static_cast<int>(sound.voices.size()) >= std::clamp(buffers, 1, kMaxVoices)) return sound.voices.front();
    Voice& voice = sound.voices.emplace_back();
    voice.player = std::make_unique<QMediaPlayer>();
    voice.player->setSource(QUrl::fromLocalFile(QString::fromStdString(PannedFile(index, sound))));
    voice.player->setPlaybackRate(sound.rate);
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        voice.output = new QAudioOutput(voice.player.get());
        voice.output->setVolume(static_cast<float>(sound.volume));
        voice.player->setAudioOutput(voice.output);
    }
    return voice;
}

void RunnerSounds::Play(int index, bool loop) {
    Sound* sound = Prepare(index);
    if (!sound) return;
    Voice& voice = FreeVoice(index, *sound, mGame.Sounds().ResourceAt(index)->Buffers);
    voice.player->setLoops(loop ? QMediaPlayer::Infinite : QMediaPlayer::Once);
    if (voice.player->position() != 0) voice.player->setPosition(0);
    voice.player->play();
}

void RunnerSounds::Stop(int index) {
    auto found = mSounds.find(index);
    if (found == mSounds.end()) return;
    for (Voice& voice : found->second.voices) voice.player->stop();
}

void RunnerSounds::StopAll() {
    for (auto& [index, sound] : mSounds)
        for (Voice& voice : sound.voices) voice.player->stop();
}

bool RunnerSounds::Playing(int index) const {
    auto found = mSounds.find(index);
    if (found == mSounds.end()) return false;
    return std::any_of(found->second.voices.begin(), found->second.voices.end(),
                       [](const Voice& voice) { return IsPlaying(*voice.player); });
}

void RunnerSounds::SetVolume(int index, double volume) {
    Sound* sound = Prepare(index);
    if (!sound) return;
    sound->volume = volume;
    for (Voice& voice : sound->voices)
        if (voice.output) voice.output->setVolume(static_cast<float>(volume));
}

void RunnerSounds::Forget(int index) {
    auto found = mSounds.find(index);
    if (found == mSounds.end()) return;
    for (Voice& voice : found->second.voices) voice.player->stop();
    mSounds.erase(found);
}

void RunnerSounds::SetRate(int index, double rate) {
    Sound* sound = Prepare(index);
    if (!sound) return;
    sound->rate = rate;
    for (Voice& voice : sound->voices) voice.player->setPlaybackRate(rate);
}

void RunnerSounds::SetPan(int index, double pan) {
    Sound* sound = Prepare(index);
    if (!sound) return;
    const int steps = static_cast<int>(std::lround(std::clamp(pan, -1.0, 1.0) * kPanSteps));
    if (steps == sound->pan) return;
    sound->pan = steps;
    const QUrl source = QUrl::fromLocalFile(QString::fromStdString(PannedFile(index, *sound)));
    for (Voice& voice : sound->voices) {
        if (voice.player->source() == source) continue;
        const bool playing = IsPlaying(*voice.player);
        const qint64 position = voice.player->position();
        voice.player->setSource(source);
        if (!playing) continue;
        voice.player->setPosition(position);
        voice.player->play();
    }
}

}  // namespace kestrin::runner
