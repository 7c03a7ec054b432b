#include "razezazo/popups/message_box.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/controls/caption_button.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/push_button.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"
#include "tests/support/headless_host.h"

namespace {

using razezazo::MessageBoxOptions;
using razezazo::PushButton;
using runtime::Gbk;

std::string Text(const razezazo::FloatRect& r) {
  return std::to_string(int(r.x)) + "," + std::to_string(int(r.y)) + " " + std::to_string(int(r.width)) + "x" +
         std::to_string(int(r.height));
}

// No window ever has this handle: a box with it as parent has none.
constexpr winsys::WindowId kNotAWindow = 0xFFFFFFF0u;

// The application's main window (a host with a button and a label) on the
// headless window system; boxes open over it.
class MessageBoxTest : public ::testing::Test {
 protected:
  MessageBoxTest() {
    system_ = &testing_support::StartHeadless();
    main_ = testing_support::OpenHostWindow(*system_, host_, {.background_colour = 0xFFFFFF, .caption_flags = 0},
                                            {.title = Gbk("主窗口"), .width = 380, .height = 338});
    button_.Create(main_, {20, 250, 70, 24}, Gbk("主按钮"));
    button_.AddEventHandler(razezazo::event::kClick, [this](const razezazo::Event&) { ++main_clicks_; });
    system_->RunPending();
  }
  ~MessageBoxTest() override {
    if (system_->IsWindow(main_)) system_->DestroyWindow(main_);
  }

  // Shows the box; once its loop waits for input, `act` runs with the box's
  // window (again each time the loop is idle, until it returns false).
  int Show(MessageBoxOptions options, std::function<bool(winsys::WindowId box)> act) {
    if (!options.parent) options.parent = main_;
    options.on_built = [this](winsys::WindowId box, int width, int height) {
      box_ = box, built_width_ = width, built_height_ = height;
    };
    system_->SetIdleHandler([this, act] { return system_->IsWindow(box_) && act(box_); });
    const int answer = razezazo::ShowMessageBox(options);
    system_->SetIdleHandler(nullptr);
    return answer;
  }
  // Acts once, then lets the loop run on.
  int ShowAnd(MessageBoxOptions options, std::function<void(winsys::WindowId box)> act) {
    auto done = std::make_shared<bool>(false);
    return Show(std::move(options), [act, done](winsys::WindowId box) {
      if (*done) return false;
      *done = true;
      act(box);
      return true;
    });
  }

  // The box's buttons, right to left (the order they are made in).
  static std::vector<razezazo::ControlBase*> Buttons(winsys::WindowId box) {
    std::vector<razezazo::ControlBase*> buttons;
    razezazo::RazezaZOHost* host = razezazo::HostOfWindow(box);
    for (razezazo::ControlBase* c = host ? host->first_control() : nullptr; c; c = c->next_sibling())
      if (c->kind() == razezazo::kKindPushButton || c->kind() == razezazo::kKindSkinButton) buttons.push_back(c);
    return buttons;
  }
  void ClickCentre(winsys::WindowId box, const razezazo::ControlBase& c) {
    system_->Click(box, static_cast<int>(c.x() + c.width() / 2), static_cast<int>(c.y() + c.height() / 2));
  }

  winsys::HeadlessSystem* system_ = nullptr;
  winsys::WindowId main_ = 0;
  razezazo::RazezaZOHost host_;
  PushButton button_;
  int main_clicks_ = 0;
  winsys::WindowId box_ = 0;
  int built_width_ = 0, built_height_ = 0;
};

TEST_F(MessageBoxTest, TypeFourPutsNoRightmostAndYesLeftOfIt) {
  std::vector<std::pair<razezazo::FloatRect, runtime::Text>> seen;
  auto look = [&](winsys::WindowId box) {
    for (razezazo::ControlBase* c : Buttons(box))
      seen.emplace_back(c->bounds(),
                        static_cast<PushButton*>(c)->caption() + " " + c->tag().substr(c->tag().find('|')));
    ClickCentre(box, *Buttons(box)[0]);
  };
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo, .icon = razezazo::kIconQuestion}, look), 6);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(Text(seen[0].first), "237,115 70x24");
  EXPECT_EQ(seen[0].second, Gbk("否(&N) |6|1"));
  EXPECT_EQ(Text(seen[1].first), "162,115 70x24");
  EXPECT_EQ(seen[1].second, Gbk("是(&Y) |5|2"));

  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo},
                    [&](auto box) { ClickCentre(box, *Buttons(box)[1]); }),
            5);
  EXPECT_FALSE(system_->IsWindow(box_)) << "the box is gone when it answered";
}

TEST_F(MessageBoxTest, EveryTypeHasItsButtonsAndCodes) {
  const std::vector<std::vector<int>> codes{{0}, {1, 0}, {4, 3, 2}, {1, 6, 5}, {6, 5}, {1, 3}};
  for (int type = 0; type < 6; ++type) {
    const size_t count = codes[static_cast<size_t>(type)].size();
    for (size_t i = 0; i < count; ++i) {
      const int answer = ShowAnd({.text = Gbk("选择"), .type = razezazo::MessageBoxType{type}},
                                 [&](auto box) { ClickCentre(box, *Buttons(box)[i]); });
      EXPECT_EQ(answer, codes[static_cast<size_t>(type)][i]) << "type " << type << " button " << i + 1;
    }
  }
}

TEST_F(MessageBoxTest, CustomTextsReplaceTheTypesOwnAndKeepItsCodes) {
  std::vector<runtime::Text> captions;
  const int answer =
      ShowAnd({.text = Gbk("保存吗？"), .type = razezazo::kBoxYesNoCancel, .button_texts = {Gbk("算了"), Gbk("不存")}},
              [&](winsys::WindowId box) {
                for (razezazo::ControlBase* c : Buttons(box))
                  captions.push_back(static_cast<PushButton*>(c)->caption());
                ClickCentre(box, *Buttons(box)[1]);
              });
  EXPECT_EQ(answer, 6);
  EXPECT_EQ(captions, (std::vector<runtime::Text>{Gbk("算了"), Gbk("不存"), Gbk("是(&Y)")}));
}

TEST_F(MessageBoxTest, AButtonWhoseTagIsNotThreeNumbersOnlyClosesTheBox) {
  for (const char* tag : {"1|5", "x|5|1", "1|5|1|2", ""}) {
    EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo},
                      [&](winsys::WindowId box) {
                        Buttons(box)[1]->SetTag(tag);
                        ClickCentre(box, *Buttons(box)[1]);
                      }),
              1)
        << tag;
    EXPECT_FALSE(system_->IsWindow(box_)) << tag;
  }
}

TEST_F(MessageBoxTest, EscapeTheCloseButtonAndWmCloseAllAnswerCancel) {
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo},
                    [&](auto) { system_->KeyPress(winsys::VK_ESCAPE); }),
            1);
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo},
                    [&](auto box) { system_->Post(box, winsys::WM_CLOSE, 0, 0); }),
            1);
  // The caption's close button sits at the top right.
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo},
                    [&](auto box) { system_->Click(box, 320 - 25, 15); }),
            1);
}

TEST_F(MessageBoxTest, EnterOrSpaceAnswerWithTheDefaultButton) {
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo},
                    [&](auto) { system_->KeyPress(winsys::VK_RETURN); }),
            6);
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNo, .default_button = 2},
                    [&](auto) { system_->KeyPress(winsys::VK_SPACE); }),
            5);
  EXPECT_EQ(ShowAnd({.text = Gbk("继续吗？"), .type = razezazo::kBoxYesNoCancel}, [&](auto) { system_->SysChar('y'); }),
            5);
}

TEST_F(MessageBoxTest, ALongTextWidensAndHeightensTheBoxAroundTheSameCentre) {
  const gfx::RectI work = system_->WorkArea();
  runtime::Text text;
  for (int i = 0; i < 8; ++i) text += Gbk("这是一条很长的提示文字，它不能放在一行里面。\n");
  gfx::RectI box_rect;
  razezazo::FloatRect rightmost, after_resize, close;
  ShowAnd({.text = text, .type = razezazo::kBoxYesNo, .icon = razezazo::kIconInformation}, [&](winsys::WindowId box) {
    box_rect = system_->WindowRect(box);
    rightmost = Buttons(box)[0]->bounds();
    close = razezazo::HostOfWindow(box)->caption_buttons().at(0)->bounds();
    system_->SetWindowRect(box, {box_rect.x, box_rect.y, box_rect.width + 40, box_rect.height + 20});
    after_resize = Buttons(box)[0]->bounds();
    system_->KeyPress(winsys::VK_ESCAPE);
  });
  EXPECT_GT(box_rect.width, 320);
  EXPECT_GT(box_rect.height, 150);
  EXPECT_EQ(built_width_, box_rect.width);
  EXPECT_EQ(built_height_, box_rect.height);
  EXPECT_NEAR(box_rect.x + box_rect.width / 2.0, work.x + work.width / 2.0, 1);
  EXPECT_NEAR(box_rect.y + box_rect.height / 2.0, work.y + work.height / 2.0, 1);
  // 8 px from the right edge at creation, 10 px after a resize; 35 px above the bottom.
  EXPECT_GT(close.x, box_rect.width - 60) << "the caption follows the wider box";
  EXPECT_FLOAT_EQ(rightmost.x, box_rect.width - 75 - 8);
  EXPECT_FLOAT_EQ(rightmost.y, box_rect.height - 35);
  EXPECT_FLOAT_EQ(after_resize.x, box_rect.width + 40 - 75 - 10);
  EXPECT_FLOAT_EQ(after_resize.y, box_rect.height + 20 - 35);
}

TEST_F(MessageBoxTest, AnEndlessTextNeverTakesTheBoxOrItsButtonsBeyondTheWorkArea) {
  const gfx::RectI work = system_->WorkArea();
  runtime::Text text;
  for (int i = 0; i < 5000; ++i) text += Gbk("第") + std::to_string(i) + Gbk("行\n");
  system_->SetWindowRect(main_, {work.x + work.width - 100, work.y + work.height - 50, 380, 338});
  for (bool over_parent : {false, true}) {
    gfx::RectI box_rect;
    razezazo::FloatRect rightmost;
    ShowAnd({.text = text, .icon = razezazo::kIconError, .centre_over_parent = over_parent}, [&](winsys::WindowId box) {
      box_rect = system_->WindowRect(box);
      rightmost = Buttons(box)[0]->bounds();
      system_->KeyPress(winsys::VK_ESCAPE);
    });
    EXPECT_GE(box_rect.y, work.y) << over_parent;
    EXPECT_GE(box_rect.x, work.x) << over_parent;
    EXPECT_LE(box_rect.y + box_rect.height, work.y + work.height) << over_parent;
    EXPECT_LE(box_rect.x + box_rect.width, work.x + work.width) << over_parent;
    EXPECT_LE(rightmost.y + rightmost.height, box_rect.height) << over_parent;
  }
}

TEST_F(MessageBoxTest, AShortTextKeepsTheStartingSizeCentredOnTheParentWhenAsked) {
  system_->SetWindowRect(main_, {100, 50, 380, 338});
  gfx::RectI box_rect;
  ShowAnd({.text = Gbk("好"), .centre_over_parent = true}, [&](winsys::WindowId box) {
    box_rect = system_->WindowRect(box);
    system_->KeyPress(winsys::VK_ESCAPE);
  });
  EXPECT_EQ(Text({float(box_rect.x), float(box_rect.y), float(box_rect.width), float(box_rect.height)}),
            Text({100 + (380 - 320) / 2, 50 + (338 - 150) / 2, 320, 150}));
}

TEST_F(MessageBoxTest, OtherWindowsGetNoInputButKeepPaintingAndTheirTimers) {
  razezazo::LabelControl label;
  label.Create(main_, {20, 200, 100, 20}, Gbk(""), {.background_mode = razezazo::label_background::kHorizontal});
  int ticks = 0;
  system_->SetTimer(main_, 77, 50, [&](winsys::WindowId, unsigned, std::uintptr_t, std::uint32_t) {
    ++ticks;
    label.SetBackgroundColour1(razezazo::ToArgb(0x0000FF));  // red
    label.SetBackgroundColour2(razezazo::ToArgb(0x0000FF));
  });
  bool clicked = false;
  gfx::Argb painted = 0;
  const int answer = Show({.text = Gbk("等一下"), .type = razezazo::kBoxOkCancel}, [&](winsys::WindowId box) {
    if (!clicked) {
      system_->Click(main_, 50, 260);  // the main window's button
      system_->SysChar('x');
      return clicked = true;
    }
    if (ticks < 3) return false;  // the loop moves the clock to the next timer
    painted = system_->ScreenPixels(main_).GetPixel(30, 210);
    system_->Post(box, winsys::WM_CLOSE, 0, 0);
    return true;
  });
  system_->KillTimer(main_, 77);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(main_clicks_, 0);
  EXPECT_EQ(button_.state(), razezazo::kButtonNormal) << "the press never reached the button";
  EXPECT_GE(ticks, 3);
  EXPECT_GT(gfx::RedOf(painted), 240u) << "the main window went on painting";
  EXPECT_LT(gfx::GreenOf(painted) + gfx::BlueOf(painted), 10u);
}

TEST_F(MessageBoxTest, TheBoxIsATopmostMessageBoxWindowOwnedByItsParentAndBeeps) {
  std::intptr_t flags = 0, icon = 0;
  bool topmost = false;
  winsys::WindowId owner = 0;
  std::int64_t source = 0;
  const int beeps = system_->BeepCount();
  ShowAnd({.text = Gbk("出错了"), .icon = razezazo::kIconError}, [&](winsys::WindowId box) {
    flags = system_->GetProp(box, razezazo::property::kFlags);
    icon = system_->GetProp(box, razezazo::property::kMessageBox);
    topmost = (system_->ExStyle(box) & winsys::WS_EX_TOPMOST) != 0;
    owner = system_->Owner(box);
    source = razezazo::HostOfWindow(box)->GetField(razezazo::host_field::kBackgroundSource);
    system_->KeyPress(winsys::VK_ESCAPE);
  });
  EXPECT_EQ(flags, 3);
  EXPECT_EQ(icon, 16);
  EXPECT_TRUE(topmost);
  EXPECT_EQ(owner, main_);
  EXPECT_EQ(source, main_) << "the parent host's look";
  EXPECT_EQ(system_->BeepCount(), beeps + 1);
  ShowAnd({.text = Gbk("安静"), .icon = razezazo::kIconError, .sound = false},
          [&](auto) { system_->KeyPress(winsys::VK_ESCAPE); });
  ShowAnd({.text = Gbk("无图标")}, [&](auto) { system_->KeyPress(winsys::VK_ESCAPE); });
  EXPECT_EQ(system_->BeepCount(), beeps + 1);
}

TEST_F(MessageBoxTest, TheIconCellAndSkinnedButtonsAreDrawn) {
  gfx::Bitmap shot;
  razezazo::FloatRect skinned;
  int kind = 0;
  ShowAnd({.text = Gbk("完成"),
           .icon = razezazo::kIconInformation,
           .look = razezazo::HostOptions{.background_colour = 0xFFFFFF, .frame_style = razezazo::frame_style::kSquare},
           .skinned_buttons = true},
          [&](winsys::WindowId box) {
            shot = system_->ScreenPixels(box);
            skinned = Buttons(box)[0]->bounds();
            kind = Buttons(box)[0]->kind();
            system_->KeyPress(winsys::VK_ESCAPE);
          });
  EXPECT_EQ(kind, razezazo::kKindSkinButton);
  EXPECT_FLOAT_EQ(skinned.height, 26);
  // The information icon is a blue disc in the cell at (30, 40); no blue beside it.
  auto blue_pixels = [&](int x0, int y0) {
    int blue = 0;
    for (int y = y0; y < y0 + 40; ++y)
      for (int x = x0; x < x0 + 40; ++x)
        blue += gfx::BlueOf(shot.GetPixel(x, y)) > gfx::RedOf(shot.GetPixel(x, y)) + 60;
    return blue;
  };
  EXPECT_GT(blue_pixels(30, 40), 400);
  EXPECT_EQ(blue_pixels(230, 40), 0);
  EXPECT_EQ(shot.GetPixel(60, 110) & 0xFFFFFF, shot.GetPixel(150, 110) & 0xFFFFFF);
}

// The application's white look: the white title "提示：" stands on the dark
// caption band of the box's skin.
TEST_F(MessageBoxTest, TheWhiteTitleStandsOnADarkCaptionBand) {
  gfx::Bitmap shot;
  razezazo::FloatRect title;
  ShowAnd({.text = Gbk("请输入播放地址"),
           .icon = razezazo::kIconWarning,
           .look = razezazo::HostOptions{.background_colour = 0xFFFFFF, .frame_style = razezazo::frame_style::kSquare}},
          [&](winsys::WindowId box) {
            shot = system_->ScreenPixels(box);
            title = razezazo::HostOfWindow(box)->title()->bounds();
            system_->KeyPress(winsys::VK_ESCAPE);
          });
  auto light = [](gfx::Argb p) { return gfx::RedOf(p) + gfx::GreenOf(p) + gfx::BlueOf(p); };
  int white = 0, dark = 0;
  for (int y = static_cast<int>(title.y); y < static_cast<int>(title.Bottom()) && y < 30; ++y)
    for (int x = static_cast<int>(title.x); x < static_cast<int>(title.Right()); ++x)
      (light(shot.GetPixel(x, y)) > 3 * 200 ? white : dark) += 1;
  EXPECT_GT(white, 20);        // the glyphs
  EXPECT_GT(dark, 4 * white);  // the band around them
  EXPECT_LT(light(shot.GetPixel(160, 12)), 3 * 120);
  EXPECT_GT(light(shot.GetPixel(160, 60)), 3 * 230);  // the message area stays white
}

TEST_F(MessageBoxTest, WithoutAParentHostTheBoxIsOrangeAndLayered) {
  int alpha = 0;
  std::int64_t colour = 0;
  ShowAnd({.parent = kNotAWindow, .text = Gbk("独立")}, [&](winsys::WindowId box) {
    alpha = static_cast<int>(razezazo::HostOfWindow(box)->GetField(razezazo::host_field::kLayerAlpha));
    colour = razezazo::HostOfWindow(box)->GetField(razezazo::host_field::kBackgroundColour);
    system_->KeyPress(winsys::VK_ESCAPE);
  });
  EXPECT_EQ(alpha, 210);
  EXPECT_EQ(colour, 0xFF8800);
}

}  // namespace
