#include "app/music.h"

#include "app/assets.h"
#include "app/frame_input.h"
#include "media/media.h"

bool MusicFlag = true;
int MusicTrack = 1;
int MusicChannel = 0;

namespace {
float MusicVolume = MUSIC_VOLUME;
int64_t FadeEnd = 0;
}  // namespace

void StartMenuMusicSilently() {
  MusicTrack = 1;
  MusicChannel = CueOnChannel(MusicTable[MusicTrack]);
  SetVolume(MusicChannel, 0);
  UnpauseChannel(MusicChannel);
}

void SetMusic(bool on) {
  if (on) {
    // The previous channel is stopped even when music was off: it would
    // otherwise keep looping silently beside the new one.
    if (MusicChannel) {
      SetVolume(MusicChannel, 0);
      HaltChannel(MusicChannel);
    }
    MusicChannel = CueOnChannel(MusicTable[MusicTrack]);
    SetVolume(MusicChannel, 0);
    UnpauseChannel(MusicChannel);
    MusicFlag = true;
    MusicVolume = MUSIC_VOLUME;
    FadeEnd = Frame.Now + MUSIC_FADE_MS;
  } else {
    MusicFlag = false;
    MusicVolume = 0;
    SetVolume(MusicChannel, 0);
  }
}

void SelectMusicTrack(int track) {
  if (track == MusicTrack) return;
  MusicTrack = track;
  if (MusicFlag) SetMusic(true);
}

void UpdateMusicFade() {
  if (FadeEnd == 0) return;
  if (FadeEnd > Frame.Now) {
    SetVolume(MusicChannel, MusicVolume * static_cast<float>(MUSIC_FADE_MS - (FadeEnd - Frame.Now)) / MUSIC_FADE_MS);
  } else {
    SetVolume(MusicChannel, MusicVolume);
    FadeEnd = 0;
  }
}
