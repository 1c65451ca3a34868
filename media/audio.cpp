// Sound channels mixed by our own small mixer on SDL's audio thread. Short
// sounds are decoded when loaded and converted to the device's rate as
// 16-bit stereo; long ones (music) keep only their file bytes and are decoded
// a piece at a time while they play, each channel with its own decoder.
// Without an audio device every operation quietly does nothing.
#include <algorithm>
#include <cstdlib>

#include "media/internal.h"
#include "media/sound_codec.h"

using namespace media_internal;

namespace {

// Ogg Vorbis sounds longer than this are streamed instead of decoded whole.
double streamAboveSeconds = 2.0;

}  // namespace

struct Sound {
  std::vector<int16_t> Samples;  // decoded sounds: stereo frames at the device rate
  bool Loop = false;
  bool Streamed = false;
  // Streamed sounds: the file's bytes, viewed in the archive or kept here.
  std::vector<uint8_t> FileBytes;
  const uint8_t* Data = nullptr;
  size_t Length = 0;
};

namespace {

constexpr int CHANNEL_SLOTS = 32;
// Mixes one block of at most MIX_BLOCK samples.
constexpr size_t MIX_BLOCK = 4096;

// The decoder of one channel playing a streamed sound, with the converter
// to the device's format when the file's differs.
class MusicStream {
 public:
  ~MusicStream() {
    if (converter_) SDL_FreeAudioStream(converter_);
  }
  bool Open(const Sound& sound, int deviceRate) {
    if (!decoder_.Open(sound.Data, sound.Length)) return false;
    if (decoder_.Channels() != 2 || decoder_.Rate() != deviceRate) {
      converter_ = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<Uint8>(decoder_.Channels()), decoder_.Rate(),
                                      AUDIO_S16SYS, 2, deviceRate);
      if (!converter_) return false;
    }
    return true;
  }
  // Fills `out` with up to `count` samples (a whole number of frames) in
  // the device's format; fewer only at the end of a sound that does not
  // loop. A looping sound goes on with its first sample right after its
  // last, exactly as a sound decoded whole would.
  size_t Pull(int16_t* out, size_t count, bool loop) {
    count &= ~static_cast<size_t>(1);
    size_t done = 0;
    int rewinds = 0;
    while (done < count) {
      const long got = converter_ ? PullConverted(out + done, count - done) : decoder_.Read(out + done, count - done);
      if (got > 0) {
        done += static_cast<size_t>(got);
        rewinds = 0;
        continue;
      }
      // The end (or a damaged stream): start again, or stop. A sound that
      // gives nothing between two rewinds is stopped too.
      if (got < 0 || !loop || ++rewinds > 1 || !Restart()) break;
    }
    return done;
  }

 private:
  long PullConverted(int16_t* out, size_t count) {
    for (;;) {
      const int available = SDL_AudioStreamAvailable(converter_);
      if (available > 0) {
        const int bytes = static_cast<int>(std::min(count * 2, static_cast<size_t>(available))) / 4 * 4;
        const int got = SDL_AudioStreamGet(converter_, out, bytes);
        return got < 0 ? -1 : got / 2;
      }
      if (flushed_) return 0;
      const long got = decoder_.Read(input_, MIX_BLOCK);
      if (got < 0) return -1;
      if (got == 0) {
        // The last samples of the file leave the converter before the seam.
        SDL_AudioStreamFlush(converter_);
        flushed_ = true;
      } else if (SDL_AudioStreamPut(converter_, input_, static_cast<int>(got) * 2) != 0) {
        return -1;
      }
    }
  }
  bool Restart() {
    if (converter_) {
      SDL_AudioStreamClear(converter_);
      flushed_ = false;
    }
    return decoder_.Rewind();
  }

  VorbisStream decoder_;
  SDL_AudioStream* converter_ = nullptr;
  bool flushed_ = false;
  int16_t input_[MIX_BLOCK];
};

struct Slot {
  Channel Id = 0;  // 0 = free
  const Sound* Playing = nullptr;
  size_t Position = 0;  // decoded sounds: in samples (two per frame)
  float Volume = 1.0f;
  bool Paused = false;
  // Streamed sounds. Left behind when the sound ends on the audio thread;
  // the game's thread deletes it when it next takes the slot.
  MusicStream* Stream = nullptr;
};

struct Mixer {
  SDL_AudioDeviceID Device = 0;
  int Rate = 44100;
  Slot Slots[CHANNEL_SLOTS];
  Channel NextId = 1;
  std::vector<Sound*> Sounds;
  int16_t Scratch[MIX_BLOCK];  // the audio thread's, for streamed sounds
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

// Frees the slot; its decoder is handed back for deleting outside the lock.
MusicStream* Release(Slot& slot) {
  MusicStream* stream = slot.Stream;
  slot = Slot();
  return stream;
}

// The next `count` samples of a slot at full volume into `out`; fewer when
// its sound ends (the slot is then freed).
size_t SlotSamples(Slot& slot, int16_t* out, size_t count) {
  const Sound& sound = *slot.Playing;
  size_t done = 0;
  if (slot.Stream) {
    done = slot.Stream->Pull(out, count, sound.Loop);
  } else {
    const std::vector<int16_t>& samples = sound.Samples;
    while (done < count) {
      if (slot.Position >= samples.size()) {
        // A looping sound starts again on the very next sample.
        if (!sound.Loop || samples.empty()) break;
        slot.Position = 0;
      }
      const size_t n = std::min(count - done, samples.size() - slot.Position);
      std::copy_n(samples.data() + slot.Position, n, out + done);
      slot.Position += n;
      done += n;
    }
  }
  if (done < count) {
    slot.Id = 0;
    slot.Playing = nullptr;
  }
  return done;
}

void MixBlock(int16_t* out, size_t count) {
  Mixer& m = TheMixer();
  int32_t sum[MIX_BLOCK] = {};
  for (Slot& slot : m.Slots) {
    if (!slot.Id || !slot.Playing || slot.Paused) continue;
    const int volume = static_cast<int>(slot.Volume * 256.0f);
    const size_t got = SlotSamples(slot, m.Scratch, count);
    for (size_t i = 0; i < got; i++) sum[i] += m.Scratch[i] * volume / 256;
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

// Converts decoded samples to stereo at the device rate, into a buffer sized
// from the converter's output.
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
  // The decoder is made here, on the game's thread, before the audio thread
  // is held off.
  std::unique_ptr<MusicStream> stream;
  if (sound->Streamed) {
    stream = std::make_unique<MusicStream>();
    if (!stream->Open(*sound, m.Rate)) return 0;
  }
  MusicStream* leftover = nullptr;
  Channel id = 0;
  {
    Lock lock;
    for (Slot& slot : m.Slots) {
      if (slot.Id) continue;
      leftover = Release(slot);
      slot.Id = id = m.NextId++;
      if (m.NextId <= 0) m.NextId = 1;
      slot.Playing = sound;
      slot.Paused = paused;
      slot.Stream = stream.release();
      break;
    }
  }
  delete leftover;
  return id;  // 0 when every slot is busy: the sound is dropped
}

// Reads the file and decides how the sound is kept: decoded whole, or its
// bytes kept for streaming.
bool Prepare(const std::string& path, Sound& sound, DecodedSound& decoded) {
  const uint8_t* data;
  size_t length;
  if (!ViewPathBytes(path, sound.FileBytes, data, length)) return false;
  VorbisStream probe;
  if (probe.Open(data, length) && static_cast<double>(probe.TotalFrames()) > streamAboveSeconds * probe.Rate()) {
    sound.Streamed = true;
    sound.Data = sound.FileBytes.empty() ? data : sound.FileBytes.data();
    sound.Length = length;
    return true;
  }
  const bool ok = DecodeSound(data, length, decoded);
  sound.FileBytes = std::vector<uint8_t>();
  return ok;
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
  for (Slot& slot : m.Slots) delete Release(slot);
  for (Sound* sound : m.Sounds) delete sound;
  m.Device = 0;
  m.Rate = 44100;
  m.NextId = 1;
  m.Sounds.clear();
}

}  // namespace media_internal

Sound* LoadSoundFile(const std::string& path, bool loop) {
  auto sound = std::make_unique<Sound>();
  sound->Loop = loop;
  DecodedSound decoded;
  if (!Prepare(path, *sound, decoded)) return nullptr;
  // Silent runs keep no samples: nothing will ever play them.
  if (!sound->Streamed && TheMixer().Device && !Convert(decoded, TheMixer().Rate, sound->Samples)) return nullptr;
  TheMixer().Sounds.push_back(sound.get());
  return sound.release();
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
  MusicStream* stream = nullptr;
  {
    Lock lock;
    if (Slot* slot = Find(channel)) stream = Release(*slot);
  }
  delete stream;
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

void StreamSoundsLongerThan(double seconds) { streamAboveSeconds = seconds; }

void HoldAudio(bool hold) {
  if (TheMixer().Device) SDL_PauseAudioDevice(TheMixer().Device, hold ? 1 : 0);
}

bool SoundIsStreamed(const Sound* sound) { return sound && sound->Streamed; }

size_t PullChannelSamples(Channel channel, int16_t* out, size_t count) {
  Lock lock;
  Slot* slot = Find(channel);
  return slot && slot->Playing ? SlotSamples(*slot, out, count) : 0;
}

bool DecodeWholeForDevice(const std::string& path, std::vector<int16_t>& out) {
  const uint8_t* data;
  size_t length;
  std::vector<uint8_t> storage;
  DecodedSound decoded;
  return ViewPathBytes(path, storage, data, length) && DecodeSound(data, length, decoded) &&
         Convert(decoded, TheMixer().Rate, out);
}

}  // namespace media_test
