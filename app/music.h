// The music controller: one channel at a time, fading in over 3 s.
#pragma once

#include <cstdint>

constexpr float MUSIC_VOLUME = 0.3f;
constexpr int64_t MUSIC_FADE_MS = 3000;

extern bool MusicFlag;
extern int MusicTrack;
extern int MusicChannel;

void StartMenuMusicSilently();
void SetMusic(bool on);
void SelectMusicTrack(int track);
void UpdateMusicFade();
