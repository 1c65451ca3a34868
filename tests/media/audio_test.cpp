// Sound loading and channel behaviour on SDL's dummy audio driver, and the
// silent run without any audio device.
#include <gtest/gtest.h>

#include <chrono>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

std::string Le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

// A RIFF WAVE file of `frames` frames of a square wave.
std::string Wave(int channels, int rate, int bits, int frames) {
  std::string data;
  for (int i = 0; i < frames * channels; i++) data += bits == 16 ? Le16((i / 20) % 2 ? 8000 : -8000) : std::string(1, '\x40');
  std::string fmt = Le16(1) + Le16(channels) + Le32(rate) + Le32(rate * channels * bits / 8) +
                    Le16(channels * bits / 8) + Le16(bits);
  std::string body = "WAVE" + std::string("fmt ") + Le32(16) + fmt + std::string("LIST") + Le32(3) + "abc" +
                     std::string(1, '\0') + "data" + Le32(static_cast<uint32_t>(data.size())) + data;
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class Audio : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::OpenTestDisplay());
    ASSERT_TRUE(test_support::WriteWholeFile(dir_.File("short.wav"), Wave(1, 22050, 16, 1100)));  // 50 ms
    ASSERT_TRUE(test_support::WriteWholeFile(dir_.File("stereo.wav"), Wave(2, 44100, 16, 4410)));  // 100 ms
  }
  test_support::TempDir dir_;
};

TEST_F(Audio, EffectPlaysToItsEndAndIsThenOver) {
  Sound* sound = LoadSoundFile(dir_.File("short.wav"), false);
  ASSERT_NE(sound, nullptr);
  Channel channel = PlaySoundEffect(sound);
  if (channel == 0) GTEST_SKIP() << "no audio device";
  EXPECT_TRUE(IsChannelPlaying(channel));
  EXPECT_FALSE(media_test::ChannelPaused(channel));
  EXPECT_FLOAT_EQ(media_test::ChannelVolume(channel), 1.0f);
  EXPECT_TRUE(WaitUntil([&] { return !IsChannelPlaying(channel); }, 3000));
  // Operations on a finished channel are harmless.
  SetVolume(channel, 0.5f);
  UnpauseChannel(channel);
  HaltChannel(channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
  EXPECT_EQ(media_test::ChannelVolume(channel), -1.0f);
}

TEST_F(Audio, CuedChannelWaitsPausedUntilUnpaused) {
  Sound* sound = LoadSoundFile(dir_.File("stereo.wav"), false);
  ASSERT_NE(sound, nullptr);
  Channel channel = CueOnChannel(sound);
  if (channel == 0) GTEST_SKIP() << "no audio device";
  EXPECT_TRUE(media_test::ChannelPaused(channel));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(IsChannelPlaying(channel));  // paused, not over
  SetVolume(channel, 0.25f);
  EXPECT_FLOAT_EQ(media_test::ChannelVolume(channel), 0.25f);
  SetVolume(channel, 7.0f);
  EXPECT_FLOAT_EQ(media_test::ChannelVolume(channel), 1.0f);
  UnpauseChannel(channel);
  EXPECT_FALSE(media_test::ChannelPaused(channel));
  EXPECT_TRUE(WaitUntil([&] { return !IsChannelPlaying(channel); }, 3000));
}

TEST_F(Audio, LoopingSoundPlaysUntilHalted) {
  Sound* sound = LoadSoundFile(dir_.File("short.wav"), true);
  ASSERT_NE(sound, nullptr);
  Channel channel = PlaySoundEffect(sound);
  if (channel == 0) GTEST_SKIP() << "no audio device";
  std::this_thread::sleep_for(std::chrono::milliseconds(400));  // eight times its length
  EXPECT_TRUE(IsChannelPlaying(channel));
  HaltChannel(channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
  // The channel number is not reused for the next sound.
  Channel next = PlaySoundEffect(sound);
  EXPECT_NE(next, channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
  HaltChannel(next);
}

TEST_F(Audio, OggVorbisFromAFileAndFromTheArchive) {
  const std::string path = "tests/media/data/tone.ogg";
  if (!test_support::SourceFileExists(path)) GTEST_SKIP() << path << " is missing";
  Sound* sound = LoadSoundFile(test_support::SourceDir() + "/" + path, false);
  ASSERT_NE(sound, nullptr);
  static const std::string bytes = test_support::ReadSourceFile(path);
  RegisterEmbeddedFile("Data/test_tone.ogg", reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  Sound* embedded = LoadSoundFile("incbin::Data/test_tone.ogg", false);
  ASSERT_NE(embedded, nullptr);
  Channel channel = PlaySoundEffect(embedded);
  if (channel == 0) GTEST_SKIP() << "no audio device";
  EXPECT_TRUE(IsChannelPlaying(channel));
  EXPECT_TRUE(WaitUntil([&] { return !IsChannelPlaying(channel); }, 3000));  // 0.3 s long
}

TEST_F(Audio, UnsupportedOrDamagedFilesGiveNothing) {
  const std::string eightBit = Wave(1, 22050, 8, 100);
  std::string truncated = Wave(1, 22050, 16, 1000);
  truncated.resize(truncated.size() / 2);
  ASSERT_TRUE(test_support::WriteWholeFile(dir_.File("8bit.wav"), eightBit));
  ASSERT_TRUE(test_support::WriteWholeFile(dir_.File("cut.wav"), truncated));
  ASSERT_TRUE(test_support::WriteWholeFile(dir_.File("junk.ogg"), "OggS but nothing else"));
  EXPECT_EQ(LoadSoundFile(dir_.File("8bit.wav"), false), nullptr);
  EXPECT_EQ(LoadSoundFile(dir_.File("cut.wav"), false), nullptr);
  EXPECT_EQ(LoadSoundFile(dir_.File("junk.ogg"), false), nullptr);
  EXPECT_EQ(LoadSoundFile(dir_.File("none.wav"), false), nullptr);
  EXPECT_EQ(LoadSoundFile("incbin::Data/none.wav", false), nullptr);
  EXPECT_EQ(PlaySoundEffect(nullptr), 0);
  EXPECT_FALSE(IsChannelPlaying(0));
  HaltChannel(0);
}

// Runs the silent case in a fresh copy of this program, where no audio
// driver can start.
TEST(SilentAudio, EverySoundOperationDoesNothing) {
  if (!std::getenv("PLIMO_SILENT_AUDIO_CHILD")) {
    const std::string command = "PLIMO_SILENT_AUDIO_CHILD=1 SDL_AUDIODRIVER=no_such_driver /proc/" +
                                std::to_string(getpid()) +
                                "/exe --gtest_filter=SilentAudio.* > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return;
  }
  ASSERT_TRUE(test_support::OpenTestDisplay());
  test_support::TempDir dir;
  ASSERT_TRUE(test_support::WriteWholeFile(dir.File("s.wav"), Wave(1, 22050, 16, 100)));
  Sound* sound = LoadSoundFile(dir.File("s.wav"), true);
  EXPECT_NE(sound, nullptr);  // loading still succeeds
  Channel channel = CueOnChannel(sound);
  EXPECT_EQ(channel, 0);
  EXPECT_EQ(PlaySoundEffect(sound), 0);
  SetVolume(channel, 0.5f);
  UnpauseChannel(channel);
  HaltChannel(channel);
  EXPECT_FALSE(IsChannelPlaying(channel));
}

}  // namespace
