// Playing the game's sounds: players per sound, loops, volume.

#include "runner/runner_sounds.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include <algorithm>
#include <cctype>

#include "image_editors/media_backend.h"
#include "storage/game.h"

namespace kestrin::runner {

namespace {

// More players of one sound than this only make noise.
constexpr int kMaxVoices = 8;

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
    const QString path = mFolder.filePath(QString::number(index) + (ending.isEmpty() ? QString() : "." + ending));
    QFile file(path);
    const std::string& data = resource->Data();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(data.data(), static_cast<qint64>(data.size())) != static_cast<qint64>(data.size()))
        return nullptr;
    sound.file = path.toStdString();
    return &sound;
}

RunnerSounds::Voice& RunnerSounds::FreeVoice(Sound& sound, int buffers) {
    for (Voice& voice : sound.voices)
        if (!IsPlaying(*voice.player)) return voice;
    if (static_cast<int>(sound.voices.size()) >= std::clamp(buffers, 1, kMaxVoices)) return sound.voices.front();
    Voice& voice = sound.voices.emplace_back();
    voice.player = std::make_unique<QMediaPlayer>();
    voice.player->setSource(QUrl::fromLocalFile(QString::fromStdString(sound.file)));
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
    Voice& voice = FreeVoice(*sound, mGame.Sounds().ResourceAt(index)->Buffers);
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

}  // namespace kestrin::runner
