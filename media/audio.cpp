// Sound channels mixed by our own small mixer on SDL's audio thread. Sounds
// are converted to the device's rate as 16-bit stereo when loaded. Without
// an audio device every operation quietly does nothing.
#include <algorithm>
#include <cstdlib>

#include "media/internal.h"
#include "media/sound_codec.h"

using namespace media_internal;

struct Sound {
  std::vector<int16_t> Samples;  // stereo frames at the device rate
  bool Loop = false;
};

namespace {

constexpr int CHANNEL_SLOTS = 32;

struct Slot {
  Channel Id = 0;  // 0 = free
  const Sound* Playing = nullptr;
  size_t Position = 0;  // in samples (two per frame)
  float Volume = 1.0f;
  bool Paused = false;
};

struct Mixer {
  SDL_AudioDeviceID Device = 0;
  int Rate = 44100;
  Slot Slots[CHANNEL_SLOTS];
  Channel NextId = 1;
  std::vector<Sound*> Sounds;
};

Mixer& TheMixer() {
  static auto* mixer = new Mixer;  // never destroyed: the audio thread may still read it
  return *mixer;
}

// Holds the audio thread off the channels for the life of the object.
struct Lock {
  Lock() {
    if (TheMixer().Device) SDL_LockAudioDevice(TheMixer().Device);
  }
  ~Lock() {
    if (TheMixer().Device) SDL_UnlockAudioDevice(TheMixer().Device);
  }
};

// Mixes one block of at most MIX_BLOCK samples.
constexpr size_t MIX_BLOCK = 4096;

void MixBlock(int16_t* out, size_t count) {
  int32_t sum[MIX_BLOCK] = {};
  for (Slot& slot : TheMixer().Slots) {
    if (!slot.Id || !slot.Playing || slot.Paused) continue;
    const std::vector<int16_t>& samples = slot.Playing->Samples;
    const int volume = static_cast<int>(slot.Volume * 256.0f);
    for (size_t i = 0; i < count; i++) {
      if (slot.Position >= samples.size()) {
        // A looping sound starts again on the very next sample.
        if (!slot.Playing->Loop || samples.empty()) {
          slot = Slot();
          break;
        }
        slot.Position = 0;
      }
      sum[i] += samples[slot.Position++] * volume / 256;
    }
  }
  for (size_t i = 0; i < count; i++) out[i] = static_cast<int16_t>(std::clamp(sum[i], -32768, 32767));
}

// The audio thread's callback; it runs with the device locked.
void Mix(void*, Uint8* stream, int bytes) {
  auto* out = reinterpret_cast<int16_t*>(stream);
  size_t count = static_cast<size_t>(bytes) / 2;
  while (count > 0) {
    const size_t block = std::min(count, MIX_BLOCK);
    MixBlock(out, block);
    out += block;
    count -= block;
  }
}

Slot* Find(Channel channel) {
  if (channel <= 0) return nullptr;
  for (Slot& slot : TheMixer().Slots)
    if (slot.Id == channel) return &slot;
  return nullptr;
}

// Converts decoded samples to stereo at the device rate.
bool Convert(const DecodedSound& decoded, int rate, std::vector<int16_t>& out) {
  SDL_AudioStream* stream =
      SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(decoded.Channels), decoded.Rate, AUDIO_S16SYS, 2, rate);
  if (!stream) return false;
  bool ok = SDL_AudioStreamPut(stream, decoded.Samples.data(), static_cast<int>(decoded.Samples.size() * 2)) == 0 &&
            SDL_AudioStreamFlush(stream) == 0;
  if (ok) {
    out.resize(static_cast<size_t>(SDL_AudioStreamAvailable(stream)) / 2);
    int got = SDL_AudioStreamGet(stream, out.data(), static_cast<int>(out.size() * 2));
    ok = got >= 0;
    if (ok) out.resize(static_cast<size_t>(got) / 4 * 2);  // whole frames
  }
  SDL_FreeAudioStream(stream);
  return ok;
}

Channel Start(Sound* sound, bool paused) {
  Mixer& m = TheMixer();
  if (!m.Device || !sound) return 0;
  Lock lock;
  for (Slot& slot : m.Slots) {
    if (slot.Id) continue;
    slot.Id = m.NextId++;
    if (m.NextId <= 0) m.NextId = 1;
    slot.Playing = sound;
    slot.Position = 0;
    slot.Volume = 1.0f;
    slot.Paused = paused;
    return slot.Id;
  }
  return 0;  // every slot busy: the sound is dropped
}

}  // namespace

namespace media_internal {

void StartAudio() {
  Mixer& m = TheMixer();
  if (m.Device) return;
  // The audio thread must stop (and the sounds go) when the program ends,
  // also when it ends without MediaQuit.
  static const bool registered = (std::atexit(StopAudio), true);
  (void)registered;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  SDL_AudioSpec want{}, have{};
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = Mix;
  m.Device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (!m.Device) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  m.Rate = have.freq;
  SDL_PauseAudioDevice(m.Device, 0);
}

void StopAudio() {
  Mixer& m = TheMixer();
  if (m.Device) {
    SDL_CloseAudioDevice(m.Device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  for (Sound* sound : m.Sounds) delete sound;
  m = Mixer();
}

}  // namespace media_internal

Sound* LoadSoundFile(const std::string& path, bool loop) {
  const uint8_t* data;
  size_t length;
  std::vector<uint8_t> fileBytes;
  if (!ViewPathBytes(path, fileBytes, data, length)) return nullptr;
  DecodedSound decoded;
  if (!DecodeSound(data, length, decoded)) return nullptr;
  auto* sound = new Sound;
  sound->Loop = loop;
  // Silent runs keep no samples: nothing will ever play them.
  if (TheMixer().Device && !Convert(decoded, TheMixer().Rate, sound->Samples)) {
    delete sound;
    return nullptr;
  }
  TheMixer().Sounds.push_back(sound);
  return sound;
}

Channel PlaySoundEffect(Sound* sound) { return Start(sound, false); }

Channel CueOnChannel(Sound* sound) { return Start(sound, true); }

void SetVolume(Channel channel, float volume) {
  Lock lock;
  if (Slot* slot = Find(channel)) slot->Volume = std::clamp(volume, 0.0f, 1.0f);
}

void UnpauseChannel(Channel channel) {
  Lock lock;
  if (Slot* slot = Find(channel)) slot->Paused = false;
}

void HaltChannel(Channel channel) {
  Lock lock;
  if (Slot* slot = Find(channel)) *slot = Slot();
}

bool IsChannelPlaying(Channel channel) {
  Lock lock;
  return Find(channel) != nullptr;
}

namespace media_test {

float ChannelVolume(Channel channel) {
  Lock lock;
  Slot* slot = Find(channel);
  return slot ? slot->Volume : -1.0f;
}

bool ChannelPaused(Channel channel) {
  Lock lock;
  Slot* slot = Find(channel);
  return slot && slot->Paused;
}

}  // namespace media_test
