// Texts the player can read at every block size: the panels under the
// tutorial, the credits and the "no way out" notice, the menu captions, the
// tutorial's band clear of the hand, and the pointer itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/assets.h"
#include "app/pointer.h"
#include "app/settings.h"
#include "menus/screens.h"
#include "menus/text_box.h"
#include "menus/tutorial.h"
#include "solver/hint.h"
#include "tests/support/headless_game.h"
#include "tests/support/test_support.h"

namespace {

using media_test::DrawCall;
using media_test::DrawKind;

struct Box {
  float Left = 1e9f, Top = 1e9f, Right = -1e9f, Bottom = -1e9f;
  bool Empty() const { return Right < Left; }
};

class Legibility : public HeadlessGameTest {
 protected:
  // The box of the panel fills of a frame.
  static Box PanelBox(const std::vector<DrawCall>& calls) {
    Box b;
    for (const DrawCall& c : calls) {
      if (c.Kind != DrawKind::Fill || c.R != PANEL_RED || c.G != PANEL_GREEN || c.B != PANEL_BLUE) continue;
      b.Left = std::min(b.Left, c.X);
      b.Top = std::min(b.Top, c.Y);
      b.Right = std::max(b.Right, c.X + c.W);
      b.Bottom = std::max(b.Bottom, c.Y + c.H);
    }
    return b;
  }
  // The lowest contrast of white letters against the panel as read back
  // along its padding, all round (the corners' curves left out).
  static double WorstPanelContrast(const Box& b) {
    const int pad = std::max(8, BlockSize / 6) / 2;
    const int left = static_cast<int>(b.Left), top = static_cast<int>(b.Top);
    const int right = static_cast<int>(b.Right) - 1, bottom = static_cast<int>(b.Bottom) - 1;
    double worst = 100;
    for (int x = left + BlockSize / 5; x < right - BlockSize / 5; x += 5) {
      worst = std::min(worst, test_support::PixelContrast(0xFFFFFFFF, media_test::ReadPixel(x, top + pad)));
      worst = std::min(worst, test_support::PixelContrast(0xFFFFFFFF, media_test::ReadPixel(x, bottom - pad)));
    }
    for (int y = top + BlockSize / 5; y < bottom - BlockSize / 5; y += 5) {
      worst = std::min(worst, test_support::PixelContrast(0xFFFFFFFF, media_test::ReadPixel(left + pad, y)));
      worst = std::min(worst, test_support::PixelContrast(0xFFFFFFFF, media_test::ReadPixel(right - pad, y)));
    }
    return worst;
  }
};

TEST_F(Legibility, PanelTextsKeepSevenToOneAtEveryBlockSize) {
  Start();
  for (const Resolution& r : RESOLUTIONS) {
    AtResolution(r);
    SCOPED_TRACE(r.BlockSize);
    // The tutorial's first text, at rest after its slide.
    SetScreen(SCREEN_TUTORIAL);
    for (int i = 0; i < 400 && !(TutorialWaiting && Tutorial.TextShownTime == 0); ++i) ASSERT_TRUE(Frames(1));
    Box panel = PanelBox(RecordedFrame());
    ASSERT_FALSE(panel.Empty());
    EXPECT_GE(WorstPanelContrast(panel), 7.0) << "tutorial";
    // The credits.
    SetScreen(SCREEN_CREDITS);
    ASSERT_TRUE(Frames(2));
    panel = PanelBox(RecordedFrame());
    ASSERT_FALSE(panel.Empty());
    EXPECT_GE(WorstPanelContrast(panel), 7.0) << "credits";
    EXPECT_LE(panel.Bottom, ScreenOffsetY + ScreenHeight);
    // The notice of a board without a way out, over a level in play.
    SetScreen(SCREEN_MAIN_MENU);
    ASSERT_TRUE(PressKey(KEY_ENTER));
    for (int i = 0; i < 200 && ScreenState != SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
    ASSERT_TRUE(Frames(150));  // the level's banner is gone
    Message = TransientMessage();
    Message.Text = NoSolutionText();
    Message.CentreX = 5 * BlockSize;
    Message.CentreY = 4 * BlockSize;
    Message.StartTime = Clock;
    Message.EndTime = Clock + 2500;
    Message.OnPanel = true;
    panel = PanelBox(RecordedFrame());
    ASSERT_FALSE(panel.Empty());
    EXPECT_GE(WorstPanelContrast(panel), 7.0) << "notice";
    Message = TransientMessage();
  }
  Shutdown();
}

// One logo: across the top of the main menu, above its bars, and heading
// the credits, above their panel; never beside another title picture.
TEST_F(Legibility, TheLogoHeadsTheMainMenuAndTheCreditsAtEveryBlockSize) {
  Start();
  for (const Resolution& r : RESOLUTIONS) {
    AtResolution(r);
    SCOPED_TRACE(r.BlockSize);
    for (int screen : {SCREEN_MAIN_MENU, SCREEN_CREDITS}) {
      SetScreen(screen);
      ASSERT_TRUE(Frames(2));
      const std::vector<DrawCall> calls = RecordedFrame();
      std::vector<DrawCall> logos;
      for (const DrawCall& c : calls) {
        if (c.Img == LogoPicture) logos.push_back(c);
        EXPECT_TRUE(c.Img != VictoryPicture && c.Img != BumperPicture) << screen;
      }
      ASSERT_EQ(logos.size(), 1u) << screen;
      EXPECT_EQ(logos[0].X, ScreenOffsetX);
      EXPECT_EQ(logos[0].Y, ScreenOffsetY);
      EXPECT_EQ(logos[0].W, BOARD_COLUMNS * BlockSize);
      const float logoBottom = logos[0].Y + logos[0].H;
      if (screen == SCREEN_MAIN_MENU) {
        int top = BOARD_ROWS;
        for (const auto& block : Blocks) top = std::min(top, block->YMap);
        EXPECT_GE(ScreenOffsetY + top * BlockSize, logoBottom);
      } else {
        EXPECT_GE(PanelBox(calls).Top, logoBottom - 1);
      }
    }
  }
  Shutdown();
}

// Captions: the letters against their halo over the worst tile behind it
// (white under a dark halo, black under a light one), at least 4.5:1; a long
// caption keeps a sixth of a cell free at each end of its bar.
TEST_F(Legibility, MenuCaptionsStandOutAndFitTheirBarsInEveryLanguage) {
  for (const char* code : {"BG", "HE", "CN", "DE"}) {
    LanguageFile = (Home / "pLiMo" / (std::string("pLiMo_text_") + code + ".txt")).string();
    Start();
    for (const Resolution& r : RESOLUTIONS) {
      AtResolution(r);
      for (int screen : {SCREEN_MAIN_MENU, SCREEN_OPTIONS_MENU}) {
        SetScreen(screen);
        ASSERT_TRUE(Frames(2));
        const std::vector<DrawCall> calls = RecordedFrame();
        int captions = 0;
        for (const auto& block : Blocks) {
          if (block->Text.empty() || block->Text == "!") continue;
          const DrawCall* letters = nullptr;
          const DrawCall* halo = nullptr;
          for (const DrawCall& c : calls) {
            if (c.Kind != DrawKind::Text || c.Text != block->Text) continue;
            (c.Alpha == 1.0f ? letters : halo) = &c;
          }
          ASSERT_NE(letters, nullptr) << block->Text;
          ASSERT_NE(halo, nullptr) << block->Text;
          ++captions;
          const int worst = halo->R < 128 ? 255 : 0;
          const auto over = [&](int h) { return static_cast<int>(halo->Alpha * h + (1 - halo->Alpha) * worst); };
          EXPECT_GE(test_support::ContrastRatio(letters->R, letters->G, letters->B, over(halo->R), over(halo->G),
                                                over(halo->B)),
                    4.5)
              << code << " " << block->Text;
          int cells = 1;
          while (cells < 4 && BlockAt(block->XMap + cells, block->YMap) != nullptr &&
                 BlockAt(block->XMap + cells, block->YMap)->Kind == block->Kind)
            ++cells;
          const float barLeft = static_cast<float>(ScreenOffsetX + block->X);
          const float margin = static_cast<float>(std::max(10, BlockSize / 6)) - 1;
          EXPECT_GE(letters->X, barLeft + margin) << code << " " << r.BlockSize << " " << block->Text;
          EXPECT_LE(letters->X + letters->W, barLeft + static_cast<float>(cells * BlockSize) - margin)
              << code << " " << r.BlockSize << " " << block->Text;
          EXPECT_EQ(letters->ScaleX, letters->ScaleY) << block->Text;  // shrunk whole, not squeezed
        }
        EXPECT_GE(captions, 3) << code;
      }
    }
    Shutdown();
  }
}

// The demonstration's whole path, hand and its shadow included, never
// enters the text panel's band, and the band lies below every cell the
// demonstration points at (so no piece it plays with is hidden), at every
// block size.
TEST_F(Legibility, TheTutorialHandNeverCrossesTheTextPanel) {
  for (const Resolution& r : RESOLUTIONS) {
    BlockSize = r.BlockSize;
    HalfCell = BlockSize / 2;
    const float s = PointerScale();
    const float panelLeft = static_cast<float>(TutorialPanelLeft());
    const float panelTop = static_cast<float>(TutorialPanelTop());
    const float panelRight = static_cast<float>(TutorialPanelRight());
    const float panelBottom = panelTop + static_cast<float>(TutorialPanelHeight());
    EXPECT_LE(panelBottom, 8 * BlockSize);
    // The picture's visible part, shadow included: columns 40 to 136, rows
    // 42 to 177, around the tip at (85, 50).
    auto clear = [&](float tipX, float tipY) {
      return tipX + (136 - POINTER_HOT_X) * s < panelLeft || tipX - (POINTER_HOT_X - 40) * s > panelRight ||
             tipY + (177 - POINTER_HOT_Y) * s < panelTop || tipY - (POINTER_HOT_Y - 42) * s > panelBottom;
    };
    float x = 3.5f * BlockSize, y = 9.5f * BlockSize;  // where the script starts it
    int moves = 0;
    for (int i = 0; i < TUTORIAL_SCRIPT_LENGTH;) {
      const int op = TUTORIAL_SCRIPT[i++].Number;
      const int operands[] = {0, 3, 1, 1, 1, 4, 0, 0};
      if (op == TUTORIAL_MOVE) {
        const float tx = (TUTORIAL_SCRIPT[i].Number + 0.5f) * BlockSize;
        const float ty = (TUTORIAL_SCRIPT[i + 1].Number + 0.5f) * BlockSize;
        if (TUTORIAL_SCRIPT[i].Number < 9 && TUTORIAL_SCRIPT[i + 1].Number < 8) {
          EXPECT_LT(ty + HalfCell, panelTop) << "a pointed-at cell under the panel";
        }
        for (int step = 0; step <= 64; ++step) {
          const float f = step / 64.0f;
          EXPECT_TRUE(clear(x + (tx - x) * f, y + (ty - y) * f)) << r.BlockSize << " move " << moves;
        }
        x = tx;
        y = ty;
        ++moves;
      }
      ASSERT_GE(op, 0);
      ASSERT_LT(op, 8);
      i += operands[op];
    }
    EXPECT_GT(moves, 50);
    // Room for two lines of text at least.
    EXPECT_GE(TutorialPanelHeight(), BlockSize);
  }
}

// The pointer: opaque in every state, its hand 1.3 cells tall at every
// block size, the pressed state shown by its own picture.
TEST_F(Legibility, ThePointerIsOpaqueAndScaledToTheCellInEveryState) {
  Start();
  for (const Resolution& r : RESOLUTIONS) {
    AtResolution(r);
    SetScreen(SCREEN_MAIN_MENU);
    ASSERT_TRUE(PressKey(KEY_ENTER));
    for (int i = 0; i < 200 && ScreenState != SCREEN_PLAY; ++i) ASSERT_TRUE(Frames(1));
    ASSERT_EQ(ScreenState, SCREEN_PLAY);
    CustomCursor = true;  // the key that started the level hid it
    PointerToCell(2, 2);
    for (const bool pressed : {false, true}) {
      if (pressed) media_test::InjectButtonDown(BUTTON_LEFT);
      const std::vector<DrawCall> calls = RecordedFrame();
      const DrawCall* hand = nullptr;  // the last drawn: the mouse's, over the keyboard's
      for (const DrawCall& c : calls)
        if (c.Img == PointerImage || c.Img == PressedPointerImage) hand = &c;
      ASSERT_NE(hand, nullptr);
      EXPECT_EQ(hand->Img, pressed ? PressedPointerImage : PointerImage);
      EXPECT_FLOAT_EQ(hand->Alpha, 1.0f);
      EXPECT_EQ(hand->Blend, BLEND_ALPHA);
      const float handHeight = hand->H * POINTER_HAND_HEIGHT / 256;
      EXPECT_NEAR(handHeight, 1.3f * r.BlockSize, 1.0f) << r.BlockSize;
      // The tip stays on the pointer.
      EXPECT_NEAR(hand->X + POINTER_HOT_X * hand->W / 213, ScreenOffsetX + 2 * BlockSize + HalfCell, 1.0f);
    }
    media_test::InjectButtonUp(BUTTON_LEFT);
    ASSERT_TRUE(Frames(1));
  }
  CustomCursor = false;
  Shutdown();
}

}  // namespace
