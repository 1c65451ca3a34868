// The music tracks are decoded as they play: the samples a channel plays,
// through its loop seams and after a track switch, are those of the whole
// track decoded at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/assets.h"
#include "app/music.h"
#include "tests/support/headless_game.h"

namespace {

const char* const TRACK_FILES[MUSIC_TRACKS] = {"pLiMo_SFX_Victory_01.ogg", "Plimo_Menu.ogg", "Plimo_InGame.ogg",
                                               "Plimo_Tuto.ogg"};

std::vector<int16_t> WholeTrack(int track) {
  std::vector<int16_t> whole;
  EXPECT_TRUE(media_test::DecodeWholeForDevice(std::string(EMBEDDED_PREFIX) + "Data/" + TRACK_FILES[track], whole));
  return whole;
}

std::vector<int16_t> Pull(Channel channel, size_t count) {
  std::vector<int16_t> out(count);
  out.resize(media_test::PullChannelSamples(channel, out.data(), count));
  return out;
}

class MusicTest : public HeadlessGameTest {
 protected:
  // The game started with a device that takes no samples: the test takes
  // them itself.
  void StartHeld() {
    Start();
    media_test::HoldAudio(true);
  }
};

// Around each seam: the end of one pass and the start of the next are the
// last and the first samples of the track; the jingle, which does not loop,
// ends on its last sample.
TEST_F(MusicTest, TracksLoopSeamlesslyOnTheirOwnSamples) {
  StartHeld();
  for (int track = 0; track < MUSIC_TRACKS; track++) {
    SCOPED_TRACE(TRACK_FILES[track]);
    ASSERT_NE(MusicTable[track], nullptr);
    EXPECT_TRUE(media_test::SoundIsStreamed(MusicTable[track]));
    const std::vector<int16_t> whole = WholeTrack(track);
    ASSERT_GT(whole.size(), 44100u * 2);
    const Channel channel = CueOnChannel(MusicTable[track]);
    if (channel == 0) GTEST_SKIP() << "no audio device";
    const std::vector<int16_t> firstPass = Pull(channel, whole.size());
    EXPECT_TRUE(firstPass == whole);
    const std::vector<int16_t> afterSeam = Pull(channel, 44100);
    if (track == 0) {
      EXPECT_TRUE(afterSeam.empty());
      EXPECT_FALSE(IsChannelPlaying(channel));
    } else {
      ASSERT_EQ(afterSeam.size(), 44100u);
      EXPECT_TRUE(std::equal(afterSeam.begin(), afterSeam.end(), whole.begin()));
      // A second seam, reached mid-piece.
      Pull(channel, whole.size() - 44100 - 1000);
      const std::vector<int16_t> around = Pull(channel, 2000);
      EXPECT_TRUE(std::equal(around.begin(), around.begin() + 1000, whole.end() - 1000));
      EXPECT_TRUE(std::equal(around.begin() + 1000, around.end(), whole.begin()));
    }
    HaltChannel(channel);
  }
  Shutdown();
}

// A track switch while music plays starts the new track from its first
// sample on a new channel with a fresh fade; the same track asked again
// changes nothing; music switched off keeps the track running silently.
TEST_F(MusicTest, TrackSwitchStartsTheNewTrackFromItsBeginning) {
  StartHeld();
  ASSERT_TRUE(MusicFlag);
  const Channel menuChannel = MusicChannel;
  Pull(menuChannel, 10000);  // the menu music has played a little
  SelectMusicTrack(2);
  const Channel gameChannel = MusicChannel;
  EXPECT_NE(gameChannel, menuChannel);
  EXPECT_FALSE(IsChannelPlaying(menuChannel));
  EXPECT_FALSE(media_test::ChannelPaused(gameChannel));
  EXPECT_FLOAT_EQ(media_test::ChannelVolume(gameChannel), 0.0f);
  const std::vector<int16_t> inGame = WholeTrack(2);
  const std::vector<int16_t> start = Pull(gameChannel, 20000);
  ASSERT_EQ(start.size(), 20000u);
  EXPECT_TRUE(std::equal(start.begin(), start.end(), inGame.begin()));

  SelectMusicTrack(2);
  EXPECT_EQ(MusicChannel, gameChannel);
  const std::vector<int16_t> next = Pull(gameChannel, 1000);
  EXPECT_TRUE(std::equal(next.begin(), next.end(), inGame.begin() + 20000));

  SetMusic(false);
  SelectMusicTrack(1);  // music off: the switch waits for the music to come back
  EXPECT_EQ(MusicChannel, gameChannel);
  EXPECT_TRUE(IsChannelPlaying(gameChannel));
  SetMusic(true);
  const std::vector<int16_t> menu = WholeTrack(1);
  const std::vector<int16_t> menuStart = Pull(MusicChannel, 5000);
  ASSERT_EQ(menuStart.size(), 5000u);
  EXPECT_TRUE(std::equal(menuStart.begin(), menuStart.end(), menu.begin()));
  Shutdown();
}

}  // namespace
