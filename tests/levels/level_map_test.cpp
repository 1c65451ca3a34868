// The level map: card hit test, scrolling limits and springs, the tap rule,
// the zoom into play and the drawing of a card.
#include <cmath>

#include "app/assets.h"
#include "board/tile_styles.h"
#include "levels/level_map.h"
#include "persistence/custom_levels.h"
#include "localisation/languages.h"
#include "media/media_test.h"
#include "menus/text_box.h"
#include "levels/random_play.h"
#include "persistence/random_scores.h"
#include "tests/play/board_fixture.h"
#include "tests/support/test_support.h"

namespace {

using media_test::DrawCall;
using media_test::DrawKind;

class LevelMap : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    Geometry(1024, 768, 96);
    MapScroll = 0;
    ScrollVelocity = 0;
    MapDragging = 0;
    HoveredCard = -1;
    ZoomEnd = 0;
    ZoomLevel = -1;
    TouchMode = false;
    ScreenState = SCREEN_LEVEL_MAP;
  }
  void TearDown() override {
    media_test::StopRecording();
    BoardFixture::TearDown();
  }
  static void Geometry(int w, int h, int b) {
    ScreenWidth = w;
    ScreenHeight = h;
    BlockSize = b;
    HalfCell = b / 2;
  }
  // One frame of the map's input with the pointer at (x, y).
  static void MapFrame(int x, int y, bool hit, bool down, int64_t step = 16) {
    Frame.Now += step;
    Frame.PointerX = x;
    Frame.PointerY = y;
    Frame.LeftHit = hit;
    Frame.LeftDown = down;
    UpdateLevelMap();
  }
  // A press at (x, y), held for `frames` frames while the pointer moves to
  // (x + dx, y + dy), then released there.
  static void Press(int x, int y, int dx, int dy, int frames = 3) {
    MapFrame(x, y, true, true);
    for (int i = 1; i <= frames; ++i) MapFrame(x + dx * i / frames, y + dy * i / frames, false, true);
    MapFrame(x + dx, y + dy, false, false);
  }
  static float RestAfter(int frames) {
    for (int i = 0; i < frames; ++i) MapFrame(-50, -50, false, false);
    return MapScroll;
  }
};

TEST_F(LevelMap, GapsRightOfACardAndAboveAndBelowItCountForThatCard) {
  CustomLevels.clear();
  MapScroll = 0;
  EXPECT_EQ(CardAt(100, 100), 0);
  EXPECT_EQ(CardAt(230, 100), 0);   // 50 px gap right of the first card
  EXPECT_EQ(CardAt(264, 100), 0);
  EXPECT_EQ(CardAt(265, 100), 1);
  EXPECT_EQ(CardAt(750, 5), 3);     // 25 px above the first row
  EXPECT_EQ(CardAt(750, 201), 3);   // 25 px below it
  EXPECT_EQ(CardAt(100, 202), 4);   // second row: four cards a row
  EXPECT_EQ(CardAt(300, 250), 5);   // the random card after the five levels
  EXPECT_TRUE(IsRandomCard(5));
  EXPECT_EQ(CardAt(520, 250), 6);   // then the daily level's card
  EXPECT_TRUE(IsDailyCard(6));
  EXPECT_EQ(CardAt(750, 250), 7);   // and the Code card
  EXPECT_TRUE(IsCodeCard(7));
  EXPECT_EQ(CardAt(100, 450), -1);  // nothing after it
  // The levels made in the editor come right after the bank's.
  CustomLevels.resize(2);
  EXPECT_EQ(CustomCard(5), 0);
  EXPECT_EQ(CustomCard(6), 1);
  EXPECT_TRUE(IsRandomCard(7));
  EXPECT_TRUE(IsDailyCard(8));
  EXPECT_TRUE(IsCodeCard(9));
  EXPECT_EQ(MapCardCount(), 10);
  CustomLevels.clear();

  MapScroll = 184.6f;  // rows start at the truncated scroll
  EXPECT_EQ(CardAt(100, 183), -1);  // above the first row
  EXPECT_EQ(CardAt(100, 185), 0);
  EXPECT_EQ(CardAt(100, 384), 0);
  EXPECT_EQ(CardAt(100, 386), 4);
  MapScroll = -250;  // the first row scrolled out of sight
  EXPECT_EQ(CardAt(100, 0), 4);
  EXPECT_EQ(CardAt(100, -60), 0);

  Geometry(640, 448, 56);  // four cards a row, on a 140 x 118 pitch
  MapScroll = 0;
  EXPECT_EQ(CardAt(300, 100), 2);
  EXPECT_EQ(CardAt(100, 130), 4);
}

TEST_F(LevelMap, LowestScrollAndRestPositionAt1024x768) {
  EXPECT_EQ(LowestMapScroll(), 768 - 2 * 202);
  // The map opens from below the screen and the two springs centre the
  // short grid halfway between 0 and the lowest scroll.
  MapScroll = 768;
  EXPECT_NEAR(RestAfter(1500), 182, 1.0);
  EXPECT_NEAR(ScrollVelocity, 0, 0.05);
  MapScroll = -300;
  EXPECT_NEAR(RestAfter(1500), 182, 1.0);
}

TEST_F(LevelMap, LowestScrollAndRestPositionAt640x448) {
  Geometry(640, 448, 56);
  EXPECT_EQ(LowestMapScroll(), 448 - 2 * 118);  // two rows of four, cards scaled to 110 x 88
  MapScroll = 448;
  EXPECT_NEAR(RestAfter(1500), 106, 1.0);  // centred, as at 1024 x 768
  MapScroll = -400;
  EXPECT_NEAR(RestAfter(1500), 106, 1.0);
}

TEST_F(LevelMap, KeysAndWheelScrollAndTheSpringsBringTheMapBack) {
  Geometry(640, 448, 56);
  const int levels = LevelCount;
  LevelCount = 17;  // twenty cards with the last three: five rows of 118, the lowest scroll at -142
  MapScroll = -70;
  media_test::InjectKeyDown(KEY_DOWN);
  MapFrame(-50, -50, false, false);
  EXPECT_FLOAT_EQ(MapScroll, -90);
  MapFrame(-50, -50, false, false);  // held keys repeat every frame
  EXPECT_FLOAT_EQ(MapScroll, -110);
  media_test::InjectKeyUp(KEY_DOWN);
  media_test::InjectKeyDown(KEY_END);
  MapFrame(-50, -50, false, false);
  EXPECT_FLOAT_EQ(MapScroll, -142);
  media_test::InjectKeyUp(KEY_END);
  media_test::InjectKeyDown(KEY_PAGE_UP);
  MapFrame(-50, -50, false, false);
  EXPECT_FLOAT_EQ(MapScroll, 58);
  media_test::InjectKeyUp(KEY_PAGE_UP);
  media_test::InjectWheel(2);
  MapFrame(-50, -50, false, false);
  EXPECT_GT(MapScroll, 58 + 80 - 20);  // two notches of 40, the spring already pulling
  EXPECT_EQ(WheelPosition(), 0);       // the wheel was flushed
  EXPECT_NEAR(RestAfter(1500), 0, 1.0);
  LevelCount = levels;
}

TEST_F(LevelMap, ADragScrollsAndCoastsAfterTheRelease) {
  Geometry(640, 448, 56);
  const int levels = LevelCount;
  LevelCount = 18;  // a map taller than the screen
  MapScroll = -50;
  MapFrame(200, 300, true, true);
  EXPECT_EQ(MapDragging, 1);
  MapFrame(200, 280, false, true);
  MapFrame(200, 250, false, true);
  EXPECT_FLOAT_EQ(MapScroll, -100);
  EXPECT_FLOAT_EQ(ScrollVelocity, -30);
  MapFrame(200, 250, false, false);  // released: no tap, the map coasts
  EXPECT_EQ(MapDragging, 0);
  EXPECT_EQ(ZoomEnd, 0);
  MapFrame(-50, -50, false, false);
  EXPECT_LT(MapScroll, -100);
  LevelCount = levels;
}

TEST_F(LevelMap, ATapChoosesTheCardAndStartsTheZoom) {
  MapScroll = 184;
  Press(250, 190, 7, 0);  // 7 px: still a tap, in the gap right of card 0, 19 px above it
  EXPECT_EQ(ZoomLevel, 0);  // the current level only once the zoom ends
  EXPECT_EQ(CurrentLevel, -1);
  EXPECT_EQ(Blocks.size(), 34u);  // the level is placed at once
  EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);
  EXPECT_EQ(ZoomEnd, Frame.Now + 1000);
  EXPECT_EQ(ZoomCard[0], 25);
  EXPECT_EQ(ZoomCard[1], 209);
  EXPECT_EQ(ZoomCard[2], 214);
  EXPECT_EQ(ZoomCard[3], 360);

  // A second tap during the zoom is ignored.
  Press(100, 400, 0, 0);
  EXPECT_EQ(ZoomLevel, 0);
}

TEST_F(LevelMap, APressMovingEightPixelsOrHeld400msIsADrag) {
  MapScroll = 184;
  Press(100, 300, 8, 0);
  EXPECT_EQ(ZoomEnd, 0);
  Press(100, 300, 0, -8);
  EXPECT_EQ(ZoomEnd, 0);
  MapScroll = 184;
  ScrollVelocity = 0;
  Press(100, 300, 0, 0, 25);  // 26 frames of 16 ms
  EXPECT_EQ(ZoomEnd, 0);
  EXPECT_EQ(CurrentLevel, -1);
  EXPECT_TRUE(Blocks.empty());
  MapScroll = 184;
  ScrollVelocity = 0;
  Press(100, 300, 0, 0, 23);  // 24 frames: 384 ms
  EXPECT_EQ(ZoomLevel, 0);
}

TEST_F(LevelMap, ATapBelowTheLastCardChoosesNothing) {
  MapScroll = 184;
  Press(750, 500, 0, 0);
  EXPECT_EQ(ZoomEnd, 0);
  EXPECT_EQ(CurrentLevel, -1);
}

TEST_F(LevelMap, HoverFollowsThePointerOnlyWithSoundsOnAndWithoutTouch) {
  MapScroll = 184;
  MapFrame(300, 300, false, false);
  EXPECT_EQ(HoveredCard, -1);  // sounds are off in these tests
  SoundFlag = true;
  MapFrame(300, 300, false, false);
  EXPECT_EQ(HoveredCard, 1);
  MapFrame(300, 100, false, false);
  EXPECT_EQ(HoveredCard, -1);
  MapFrame(300, 300, false, false);
  TouchMode = true;
  MapFrame(300, 300, false, false);
  EXPECT_EQ(HoveredCard, -1);
  TouchMode = false;
  MapFrame(980, 300, false, false);  // over the side bar
  EXPECT_EQ(HoveredCard, -1);
}

TEST_F(LevelMap, TheZoomGrowsFromTheCardToTheBoardThenPlayStarts) {
  ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
  SetDrawOrigin(0, 0);
  CreateLevelPicture();
  ASSERT_NE(LevelPicture, nullptr);
  MapScroll = 184;
  Press(300, 300, 0, 0);  // card 1 at (265, 209)
  ASSERT_EQ(ZoomLevel, 1);
  const int64_t end = ZoomEnd;

  media_test::StartRecording();
  Frame.Now = end - 500;
  DrawLevelZoom();
  Frame.Now = end - 1000;
  DrawLevelZoom();
  const auto& calls = media_test::RecordedDraws();
  ASSERT_EQ(calls.size(), 2u);
  // Halfway: left 265 / 2, top 209 / 2, right 960 - (960 - 454) / 2,
  // bottom 768 - (768 - 360) / 2.
  EXPECT_EQ(calls[0].Img, LevelPicture);
  EXPECT_EQ(calls[0].X, 132);
  EXPECT_EQ(calls[0].Y, 104);
  EXPECT_EQ(calls[0].W, 707 - 132 - 1);
  EXPECT_EQ(calls[0].H, 564 - 104 - 1);
  // The first frame covers the card.
  EXPECT_EQ(calls[1].X, 265);
  EXPECT_EQ(calls[1].Y, 209);
  EXPECT_EQ(calls[1].W, 188);
  EXPECT_EQ(calls[1].H, 150);
  EXPECT_EQ(ScreenState, SCREEN_LEVEL_MAP);

  media_test::StartRecording();
  Frame.Now = end;
  DrawLevelZoom();
  EXPECT_EQ(ZoomEnd, 0);
  EXPECT_EQ(ScreenState, SCREEN_PLAY);
  EXPECT_EQ(CurrentLevel, 1);
  EXPECT_EQ(UndoRecordCount, 1);
  EXPECT_EQ(LevelBannerEnd, end + 2000);
  ASSERT_EQ(media_test::RecordedDraws().size(), 1u);
  EXPECT_EQ(media_test::RecordedDraws()[0].W, 960);
  EXPECT_EQ(media_test::RecordedDraws()[0].H, 768);
}

TEST_F(LevelMap, TheLevelPictureIsDrawnOffTheScreen) {
  ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
  SetDrawOrigin(0, 0);
  CreateLevelPicture();
  ASSERT_NE(LevelPicture, nullptr);
  // A red stand-in for the play background.
  Image* saved = PlayBackground;
  PlayBackground = CreateTargetImage(16, 16);
  BeginImageDrawing(PlayBackground);
  SetBlendMode(BLEND_SOLID);
  SetDrawColour(255, 0, 0);
  FillRect(0, 0, 16, 16);
  EndImageDrawing();
  SetClearColour(0, 0, 255);
  ClearClipArea();

  LoadLevel(0);
  Frame.Now = 50000;
  GrabLevelPicture(20, 20, 0);
  // The back buffer still shows what it showed; the picture holds the
  // play background.
  EXPECT_EQ(media_test::ReadPixel(480, 400), 0x0000FFFFu);
  EXPECT_EQ(media_test::ReadPixel(5, 5), 0x0000FFFFu);
  EXPECT_EQ(media_test::ReadImagePixel(LevelPicture, 5, 5), 0xFF0000FFu);
  EXPECT_EQ(media_test::ReadImagePixel(LevelPicture, 955, 763), 0xFF0000FFu);
  // The label is drawn into the picture only: no banner shows over the map.
  EXPECT_EQ(LevelBannerEnd, 0);
  EXPECT_EQ(ZoomEnd, 51000);
  FreeImage(PlayBackground);
  PlayBackground = saved;
}

class LevelCardDrawing : public LevelMap {
 protected:
  // Stand-ins for the artwork, which these tests do not load: one strip per
  // colour so that each draw names its colour, and the two card frames.
  Image* Strips[COLOUR_SLOTS] = {};
  Image* SavedStyles[COLOUR_SLOTS] = {};
  Image* SavedCards[2] = {};

  void SetUp() override {
    LevelMap::SetUp();
    ASSERT_TRUE(test_support::OpenTestDisplay(1024, 768));
    SetDrawOrigin(0, 0);
    ResetColourStyles();
    for (int c = 0; c < COLOUR_SLOTS; ++c) {
      SavedStyles[c] = StyleImage[c];
      Strips[c] = CreateTargetImage(48, 48);
      StyleImage[c] = Strips[c];
    }
    SavedCards[0] = LevelCard;
    SavedCards[1] = LevelCardHighlighted;
    LevelCard = CreateTargetImage(260, 220);
    LevelCardHighlighted = CreateTargetImage(260, 220);
    media_test::StartRecording();
  }
  void TearDown() override {
    for (int c = 0; c < COLOUR_SLOTS; ++c) {
      StyleImage[c] = SavedStyles[c];
      FreeImage(Strips[c]);
    }
    FreeImage(LevelCard);
    FreeImage(LevelCardHighlighted);
    LevelCard = SavedCards[0];
    LevelCardHighlighted = SavedCards[1];
    DetailedThumbnailsOn = true;
    LevelMap::TearDown();
  }
  static std::vector<DrawCall> Texts() {
    std::vector<DrawCall> out;
    for (const DrawCall& c : media_test::RecordedDraws())
      if (c.Kind == DrawKind::Text && c.R == 255) out.push_back(c);
    return out;
  }
  static std::vector<DrawCall> DrawsOf(DrawKind kind) {
    std::vector<DrawCall> out;
    for (const DrawCall& c : media_test::RecordedDraws())
      if (c.Kind == kind) out.push_back(c);
    return out;
  }
  // A best-scores record for level n with the given times.
  static void GiveRecord(int n, int last, int best) {
    const int r = BEST_SCORES_HEADER + BEST_SCORES_RECORD * BestScoreCount;
    ResizeBuffer(BestScores, r + BEST_SCORES_RECORD);
    PokeUInt16(BestScores, r, LevelId(n));
    PokeUInt32(BestScores, r + 4, static_cast<uint32_t>(last));
    PokeUInt32(BestScores, r + 8, static_cast<uint32_t>(best));
    BestScoreCount++;
    SetRecordLink(n, r);
  }
};

TEST_F(LevelCardDrawing, ACardWithoutARecordShowsItsNumberInABadge) {
  DrawLevelCard(260, 220, 2);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, "113");
  // In the top-left corner, over the badge's dark panel.
  EXPECT_LT(texts[0].X + texts[0].W, 260 + 100);
  EXPECT_LT(texts[0].Y + texts[0].H, 220 + 50);
  bool badge = false;
  for (const DrawCall& c : DrawsOf(DrawKind::Fill))
    badge = badge || (c.R == PANEL_RED && c.B == PANEL_BLUE && c.X <= texts[0].X && c.X + c.W >= texts[0].X + texts[0].W);
  EXPECT_TRUE(badge);
}

TEST_F(LevelCardDrawing, AWonCardShowsItsTimesOnAStripAndItsMark) {
  GiveRecord(0, 65, 0);
  GiveRecord(1, 70, 42);
  EnterLevelMap();
  auto greenFills = [] {
    int n = 0;
    for (const DrawCall& c : DrawsOf(DrawKind::Fill)) n += c.R == 46 && c.G == 160 && c.B == 67;
    return n;
  };
  DrawLevelCard(20, 100, 0);
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, GetText("Last Time") + " " + FormatTime(65));
  EXPECT_EQ(texts[1].Text, "11");
  EXPECT_GT(greenFills(), 0);
  // The times stay inside the card, on its lower part.
  EXPECT_GT(texts[0].Y, 100 + 76);
  EXPECT_LE(texts[0].Y + texts[0].H, 100 + 152);

  media_test::StartRecording();
  DrawLevelCard(20, 100, 1);
  texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1].Text, GetText("Best Time") + " " + FormatTime(42));
  EXPECT_GT(texts[1].Y, texts[0].Y);
  EXPECT_LE(texts[1].Y + texts[1].H, 100 + 152);

  media_test::StartRecording();
  DrawLevelCard(20, 100, 2);  // not won: no mark
  EXPECT_EQ(greenFills(), 0);
}

// The random card: its label until a random level is won, then the last
// time and the best time of the tier the next random level comes from.
TEST_F(LevelCardDrawing, TheRandomCardShowsItsLabelThenTheRandomRecords) {
  const T_RANDOM_SCORES saved = RandomScores;
  RandomScores = T_RANDOM_SCORES();
  EnterLevelMap();
  DrawLevelCard(20, 100, LevelCount);
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, GetText("Random"));
  // However long the word in the chosen language, it stays on the card in
  // the game's large font at 1024 x 768.
  Font* const savedFont = LargeFont;
  LargeFont = LoadTrueTypeFont(std::string(EMBEDDED_PREFIX) + "Data/a2.ttf", 60);
  ASSERT_NE(LargeFont, nullptr);
  for (const char* word : {"Random", "Aleatorio", "Willekeurig"}) {
    media_test::StartRecording();
    DrawCardLabel(word, 20, 100);
    texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_GE(texts[0].X, 20 + 4) << word;
    EXPECT_LE(texts[0].X + texts[0].W, 20 + 186) << word;
  }
  FreeFont(LargeFont);
  LargeFont = savedFont;

  // Two wins: the last one was of tier 1, whose record stands beside the
  // last time; neither the next, unplayed tier nor another tier shows.
  RandomScores.Wins = 2;
  RandomScores.LastTime = 75;
  RandomScores.BestTime[1] = 61;
  RandomScores.BestTime[0] = 30;
  RandomScores.BestTime[RandomTier()] = 0;
  media_test::StartRecording();
  DrawLevelCard(20, 100, LevelCount);
  texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Text, GetText("Last Time") + " " + FormatTime(75));
  EXPECT_EQ(texts[1].Text, GetText("Best Time") + " " + FormatTime(61));
  EXPECT_EQ(texts[2].Text, GetText("Random"));
  RandomScores = saved;
}

TEST_F(LevelCardDrawing, AWideLineIsSqueezedToTheCardAndStaysCentred) {
  const std::string wide(40, 'W');
  DrawCardLine(wide, 20, 50);
  const auto& calls = media_test::RecordedDraws();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].X, 26);  // 20 + 95 - 89.3, rounded
  EXPECT_NEAR(calls[0].W, 178.6, 0.5);  // 94 % of the 190-pixel card
  EXPECT_FLOAT_EQ(calls[0].ScaleY, 0.76f);
}

TEST_F(LevelCardDrawing, ThePictureComesFromTheFrameBytes) {
  DetailedThumbnailsOn = true;
  DrawLevelCard(20, 20, 0);
  // The card's frame is the one stretched picture that is not a piece.
  auto piecesDrawn = [] {
    std::vector<DrawCall> out;
    for (const DrawCall& c : DrawsOf(DrawKind::Stretched))
      if (c.Img != LevelCard && c.Img != LevelCardHighlighted) out.push_back(c);
    return out;
  };
  std::vector<DrawCall> pieces = piecesDrawn();
  ASSERT_EQ(pieces.size(), 34u * 4);
  // Cell (5, 1) of level 0 is colour 2 (byte 3) with frames 20, 1, 12, 18.
  const int frames[] = {20, 1, 12, 18};
  const float qx[] = {0, 9.5f, 9.5f, 0}, qy[] = {0, 0, 9.5f, 9.5f};
  int found = 0;
  for (const DrawCall& c : pieces) {
    for (int q = 0; q < 4; ++q) {
      if (c.X == 20 + 95 + qx[q] && c.Y == 20 + 19 + qy[q]) {
        EXPECT_EQ(c.Img, Strips[2]);
        EXPECT_EQ(c.Frame, frames[q]);
        EXPECT_EQ(c.W, 9.5f);
        found++;
      }
    }
  }
  EXPECT_EQ(found, 4);

  media_test::StartRecording();
  DetailedThumbnailsOn = false;
  DrawLevelCard(20, 20, 0);
  pieces = piecesDrawn();
  ASSERT_EQ(pieces.size(), 34u);
  for (const DrawCall& c : pieces) {
    EXPECT_EQ(c.Frame, 29);
    EXPECT_EQ(c.W, 19);
  }
}

TEST_F(LevelCardDrawing, TheHoveredCardLiftsAndTheCurrentLevelIsHighlighted) {
  auto frameOf = [](int card) {
    int x = 0, y = 0;
    CardPosition(card, x, y);
    for (const DrawCall& c : DrawsOf(DrawKind::Stretched))
      if ((c.Img == LevelCard || c.Img == LevelCardHighlighted) && c.X == x - 30 * 0.95f) return c;
    return DrawCall{};
  };
  HoveredCard = 3;
  CurrentLevel = 3;
  DrawLevelMap();
  int x = 0, y = 0;
  CardPosition(3, x, y);
  const DrawCall lifted = frameOf(3);
  EXPECT_EQ(lifted.Img, LevelCardHighlighted);
  EXPECT_FLOAT_EQ(lifted.Y, y - 30 * 0.95f - 96 / 16);  // the frame scaled with the 190-pixel card
  EXPECT_FLOAT_EQ(lifted.W, 260 * 0.95f);
  CardPosition(0, x, y);
  const DrawCall still = frameOf(0);
  EXPECT_EQ(still.Img, LevelCard);
  EXPECT_FLOAT_EQ(still.Y, y - 30 * 0.95f);
  // The picture stays the same from frame to frame: nothing trembles.
  const auto first = media_test::RecordedDraws();
  media_test::StartRecording();
  DrawLevelMap();
  ASSERT_EQ(media_test::RecordedDraws().size(), first.size());
  for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(media_test::RecordedDraws()[i].X, first[i].X) << i;
}

// Every card, frame included, stands inside the board at every resolution,
// and wholly on the screen at one of the map's two rests.
TEST_F(LevelMap, EveryCardIsWhollyVisibleAtEveryResolution) {
  for (const Resolution& r : RESOLUTIONS) {
    Geometry(r.Width, r.Height, r.BlockSize);
    const int board = 10 * r.BlockSize;
    const float k = CardWidth() / 200.0f;
    for (int n = 0; n < MapCardCount(); ++n) {
      bool shown = false;
      for (const int rest : {0, LowestMapScroll()}) {
        MapScroll = static_cast<float>(rest);
        int x = 0, y = 0;
        CardPosition(n, x, y);
        // The frame's opaque part reaches 22 pixels out at full size.
        EXPECT_GE(x - 22 * k, 0) << r.BlockSize << " card " << n;
        EXPECT_LE(x + CardWidth() + 22 * k, board) << r.BlockSize << " card " << n;
        EXPECT_EQ(CardAt(x + CardWidth() / 2, y + CardHeight() / 2), n) << r.BlockSize;
        shown = shown || (y >= 0 && y + CardHeight() <= r.Height);
      }
      EXPECT_TRUE(shown) << r.BlockSize << " card " << n;
    }
    // The grid is centred: as much room left of the first column as right
    // of the last.
    EXPECT_LE(std::abs(board - (CardMargin() * 2 + CardPitchX() * (MAP_COLUMNS - 1) + CardWidth())), 4);
  }
}

}  // namespace

namespace {

// With up to four of the player's own levels the cards reach a third row: the
// "How to play" row then stands below the last card, and the map scrolls far
// enough for it to show above the foot line, at every resolution.
TEST_F(LevelMap, TheWebRowStandsBelowTheLastCardAndAboveTheFootLine) {
  struct Size {
    int Width, Height, Block;
  };
  for (const Size size : {Size{640, 448, 56}, Size{804, 592, 74}, Size{1024, 768, 96}, Size{1344, 1024, 128},
                          Size{1564, 1200, 150}}) {
    Geometry(size.Width, size.Height, size.Block);
    for (int custom = 0; custom <= 4; ++custom) {
      CustomLevels.assign(static_cast<size_t>(custom), CustomLevel{});
      // Both ends of a long map, or where a short one rests (halfway).
      const int lowest = LowestMapScroll();
      for (const float scroll : {0.0f, static_cast<float>(std::min(0, lowest)), static_cast<float>(std::max(0, lowest) / 2)}) {
        SCOPED_TRACE(testing::Message() << size.Block << " px, " << custom << " own levels, scroll " << scroll);
        MapScroll = scroll;
        int x = 0, y = 0;
        CardPosition(MapCardCount() - 1, x, y);
        const int top = WebRowTop();
        EXPECT_GE(top, y + CardHeight());
        EXPECT_GE(top, 6 * size.Block);
        EXPECT_LE(top + size.Block * 9 / 10, size.Height - 36);  // the button's face, above the foot line
      }
    }
  }
  CustomLevels.clear();
}

}  // namespace
