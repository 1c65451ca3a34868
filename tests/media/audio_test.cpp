// Sound loading and channel behaviour on SDL's dummy audio driver, and the
// silent run without any audio device.
#include <gtest/gtest.h>

#include <chrono>
#include <unistd.h>

#include <algorithm>
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

// The tone is mono at 22050 Hz, so its streamed samples go through the
// rate converter piece by piece: they may differ from a conversion of the
// whole file in the last bit, and that conversion drops the converter's
// tail, which the streamed sound keeps.
void ExpectCloseToWholeDecode(const std::vector<int16_t>& played, const std::vector<int16_t>& whole) {
  ASSERT_GE(played.size(), whole.size());
  int worst = 0;
  for (size_t i = 0; i < whole.size(); i++) worst = std::max(worst, std::abs(played[i] - whole[i]));
  EXPECT_LE(worst, 2);
}

std::string Tone() { return test_support::SourceDir() + "/tests/media/data/tone.ogg"; }

// Loads the short tone as a streamed sound.
Sound* StreamedTone(bool loop) {
  media_test::StreamSoundsLongerThan(0.1);
  Sound* sound = LoadSoundFile(Tone(), loop);
  media_test::StreamSoundsLongerThan(2.0);
  return sound;
}

// Takes `count` samples of a channel in pieces of an odd size, so that
// seams fall inside pieces.
std::vector<int16_t> Pull(Channel channel, size_t count) {
  std::vector<int16_t> out(count);
  size_t at = 0;
  while (at < count) {
    const size_t piece = std::min<size_t>(1234, count - at);
    const size_t got = media_test::PullChannelSamples(channel, out.data() + at, piece);
    at += got;
    if (got < piece) break;
  }
  out.resize(at);
  return out;
}

// A streamed sound that does not loop ends after its last sample; one that
// loops goes on with its first sample right after its last, every pass the
// same.
TEST_F(Audio, StreamedSoundEndsOrLoopsAtItsLastSample) {
  if (!test_support::SourceFileExists("tests/media/data/tone.ogg")) GTEST_SKIP() << "tone.ogg is missing";
  std::vector<int16_t> whole;
  ASSERT_TRUE(media_test::DecodeWholeForDevice(Tone(), whole));
  ASSERT_GT(whole.size(), 1000u);
  Sound* once = StreamedTone(false);
  Sound* looping = StreamedTone(true);
  ASSERT_NE(once, nullptr);
  ASSERT_NE(looping, nullptr);
  EXPECT_TRUE(media_test::SoundIsStreamed(looping));
  EXPECT_FALSE(media_test::SoundIsStreamed(LoadSoundFile(Tone(), true)));  // short sounds are decoded whole

  Channel channel = CueOnChannel(once);  // paused: only this test takes its samples
  if (channel == 0) GTEST_SKIP() << "no audio device";
  const std::vector<int16_t> single = Pull(channel, whole.size() * 2);
  EXPECT_FALSE(IsChannelPlaying(channel));
  ExpectCloseToWholeDecode(single, whole);
  // 0.3 s at the device rate, to within the converter's last frames.
  EXPECT_NEAR(static_cast<double>(single.size()), 0.3 * 44100 * 2, 64);

  channel = CueOnChannel(looping);
  const std::vector<int16_t> played = Pull(channel, single.size() * 3 + 100);
  ASSERT_EQ(played.size(), single.size() * 3 + 100);
  for (size_t pass = 0; pass < 3; pass++) {
    const auto from = played.begin() + static_cast<long>(pass * single.size());
    EXPECT_TRUE(std::equal(single.begin(), single.end(), from)) << "pass " << pass;
  }
  EXPECT_TRUE(std::equal(played.end() - 100, played.end(), single.begin()));
  EXPECT_TRUE(IsChannelPlaying(channel));
  HaltChannel(channel);
}

// Every channel of a streamed sound has its own decoder: two channels of
// one sound play from their own positions.
TEST_F(Audio, ChannelsOfOneStreamedSoundPlayIndependently) {
  if (!test_support::SourceFileExists("tests/media/data/tone.ogg")) GTEST_SKIP() << "tone.ogg is missing";
  Sound* sound = StreamedTone(true);
  Channel reference = CueOnChannel(sound);
  if (reference == 0) GTEST_SKIP() << "no audio device";
  const std::vector<int16_t> start = Pull(reference, 3000);
  HaltChannel(reference);
  Channel first = CueOnChannel(sound);
  const std::vector<int16_t> a = Pull(first, 2000);
  Channel second = CueOnChannel(sound);
  const std::vector<int16_t> b = Pull(second, 1000);
  const std::vector<int16_t> c = Pull(first, 1000);
  EXPECT_TRUE(std::equal(a.begin(), a.end(), start.begin()));
  EXPECT_TRUE(std::equal(b.begin(), b.end(), start.begin()));
  EXPECT_TRUE(std::equal(c.begin(), c.end(), start.begin() + 2000));
  HaltChannel(first);
  HaltChannel(second);
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
