// SDL's audio device on OpenAL (played through Web Audio): a few buffers
// queued on one source, refilled from the device's callback whenever the
// game polls its events, that is every frame. Browsers start sound only
// after the player's first input; until then nothing is queued.
#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "media/web/include/SDL.h"
#include "media/web/page.h"

namespace web_audio {
void Pump();
}

namespace {

constexpr int BUFFERS = 4;

struct Device {
  ALCdevice* Output = nullptr;
  ALCcontext* Context = nullptr;
  ALuint Source = 0;
  ALuint Buffers[BUFFERS] = {};
  std::vector<ALuint> Free;
  SDL_AudioSpec Spec{};
  bool Paused = true;
};

Device* device = nullptr;

void Fill(Device& d, ALuint buffer) {
  std::vector<Uint8> bytes(static_cast<size_t>(d.Spec.samples) * d.Spec.channels * 2, 0);
  d.Spec.callback(d.Spec.userdata, bytes.data(), static_cast<int>(bytes.size()));
  alBufferData(buffer, d.Spec.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, bytes.data(),
               static_cast<ALsizei>(bytes.size()), d.Spec.freq);
  alSourceQueueBuffers(d.Source, 1, &buffer);
}

}  // namespace

namespace web_audio {

// Takes back the buffers played and queues them again with fresh samples.
void Pump() {
  if (!device || device->Paused || !web_page::InputSeen()) return;
  Device& d = *device;
  ALint processed = 0;
  alGetSourcei(d.Source, AL_BUFFERS_PROCESSED, &processed);
  while (processed-- > 0) {
    ALuint buffer = 0;
    alSourceUnqueueBuffers(d.Source, 1, &buffer);
    d.Free.push_back(buffer);
  }
  while (!d.Free.empty()) {
    Fill(d, d.Free.back());
    d.Free.pop_back();
  }
  ALint state = 0;
  alGetSourcei(d.Source, AL_SOURCE_STATE, &state);
  if (state != AL_PLAYING) alSourcePlay(d.Source);  // also after running dry
}

}  // namespace web_audio

SDL_AudioDeviceID SDL_OpenAudioDevice(const char*, int, const SDL_AudioSpec* want, SDL_AudioSpec* have, int) {
  if (device || !want->callback) return 0;
  auto* d = new Device;
  d->Output = alcOpenDevice(nullptr);
  d->Context = d->Output ? alcCreateContext(d->Output, nullptr) : nullptr;
  if (!d->Context) {
    if (d->Output) alcCloseDevice(d->Output);
    delete d;
    return 0;
  }
  alcMakeContextCurrent(d->Context);
  alGenSources(1, &d->Source);
  alGenBuffers(BUFFERS, d->Buffers);
  d->Free.assign(d->Buffers, d->Buffers + BUFFERS);
  d->Spec = *want;
  d->Spec.channels = want->channels == 1 ? 1 : 2;
  *have = d->Spec;
  device = d;
  return 1;
}

void SDL_CloseAudioDevice(SDL_AudioDeviceID) {
  if (!device) return;
  alSourceStop(device->Source);
  alDeleteSources(1, &device->Source);
  alDeleteBuffers(BUFFERS, device->Buffers);
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(device->Context);
  alcCloseDevice(device->Output);
  delete device;
  device = nullptr;
}

void SDL_PauseAudioDevice(SDL_AudioDeviceID, int pause) {
  if (!device) return;
  device->Paused = pause != 0;
  if (device->Paused) alSourcePause(device->Source);
}

// ------------------------------------------------------------ audio streams
// Linear interpolation between frames; enough for the game's effects,
// which are recorded at the output rate or at a simple fraction of it.
struct SDL_AudioStream {
  int FromChannels = 2, ToChannels = 2;
  double Step = 1.0;  // input frames per output frame
  double Position = 0;  // in the pending input
  std::vector<float> Input;  // pending input frames, ToChannels each
  std::vector<Sint16> Output;
  size_t OutputRead = 0;
  bool Flushed = false;
};

namespace {

void Resample(SDL_AudioStream& s, bool toTheEnd) {
  const int ch = s.ToChannels;
  const size_t frames = s.Input.size() / ch;
  // Every output frame needs the input frame after its position, except at
  // the end, where the last frame stands alone.
  while (frames > 0) {
    const size_t at = static_cast<size_t>(s.Position);
    if (at + 1 >= frames && !(toTheEnd && at < frames)) break;
    const size_t next = std::min(at + 1, frames - 1);
    const float t = static_cast<float>(s.Position - static_cast<double>(at));
    for (int c = 0; c < ch; c++) {
      const float v = s.Input[at * ch + c] * (1 - t) + s.Input[next * ch + c] * t;
      s.Output.push_back(static_cast<Sint16>(std::clamp(v, -32768.0f, 32767.0f)));
    }
    s.Position += s.Step;
  }
  const size_t used = std::min(static_cast<size_t>(s.Position), frames);
  s.Input.erase(s.Input.begin(), s.Input.begin() + static_cast<std::ptrdiff_t>(used * ch));
  s.Position -= static_cast<double>(used);
}

}  // namespace

SDL_AudioStream* SDL_NewAudioStream(SDL_AudioFormat, Uint8 fromChannels, int fromRate, SDL_AudioFormat,
                                    Uint8 toChannels, int toRate) {
  if (fromChannels < 1 || fromChannels > 2 || toChannels < 1 || toChannels > 2 || fromRate <= 0 || toRate <= 0)
    return nullptr;
  auto* s = new SDL_AudioStream;
  s->FromChannels = fromChannels;
  s->ToChannels = toChannels;
  s->Step = static_cast<double>(fromRate) / toRate;
  return s;
}

int SDL_AudioStreamPut(SDL_AudioStream* s, const void* bytes, int length) {
  const auto* samples = static_cast<const Sint16*>(bytes);
  const int frames = length / 2 / s->FromChannels;
  for (int f = 0; f < frames; f++) {
    for (int c = 0; c < s->ToChannels; c++) {
      // Mono to stereo repeats the sample; stereo to mono averages.
      float v;
      if (s->FromChannels == s->ToChannels)
        v = samples[f * s->FromChannels + c];
      else if (s->FromChannels == 1)
        v = samples[f];
      else
        v = (samples[f * 2] + samples[f * 2 + 1]) * 0.5f;
      s->Input.push_back(v);
    }
  }
  s->Flushed = false;
  Resample(*s, false);
  return 0;
}

int SDL_AudioStreamFlush(SDL_AudioStream* s) {
  Resample(*s, true);
  s->Input.clear();
  s->Position = 0;
  s->Flushed = true;
  return 0;
}

int SDL_AudioStreamAvailable(SDL_AudioStream* s) { return static_cast<int>((s->Output.size() - s->OutputRead) * 2); }

int SDL_AudioStreamGet(SDL_AudioStream* s, void* bytes, int length) {
  const size_t count = std::min(static_cast<size_t>(length / 2), s->Output.size() - s->OutputRead);
  std::memcpy(bytes, s->Output.data() + s->OutputRead, count * 2);
  s->OutputRead += count;
  if (s->OutputRead == s->Output.size()) {
    s->Output.clear();
    s->OutputRead = 0;
  }
  return static_cast<int>(count * 2);
}

void SDL_AudioStreamClear(SDL_AudioStream* s) {
  s->Input.clear();
  s->Output.clear();
  s->OutputRead = 0;
  s->Position = 0;
}

void SDL_FreeAudioStream(SDL_AudioStream* s) { delete s; }
