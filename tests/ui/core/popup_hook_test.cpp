// The message hook of framework popups and message boxes.
#include "razezazo/popups/popup_window_hook.h"
#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

class PopupHookTest : public testing_support::HostFixture {
 protected:
  // A popup host window of `kind` with the hook installed.
  winsys::WindowId Popup(int kind, std::unique_ptr<RazezaZOHost>& host) {
    host = std::make_unique<RazezaZOHost>();
    host->hooks().message = PopupWindowHook;
    const winsys::WindowId popup = testing_support::OpenHostWindow(*headless_, *host, {.caption_flags = 0},
                                                                   {.x = 10, .y = 10, .width = 100, .height = 60});
    headless_->SetProp(popup, property::kFlags, kind);
    headless_->SetForeground(popup);
    headless_->RunPending();
    return popup;
  }
};

TEST_F(PopupHookTest, EscapeClosesEveryKind) {
  for (int kind : {kPopupMenu, kPopupSelfClosing, kPopupMessageBox}) {
    std::unique_ptr<RazezaZOHost> host;
    winsys::WindowId popup = Popup(kind, host);
    headless_->SetFocus(popup);
    headless_->KeyPress(winsys::VK_ESCAPE);
    EXPECT_FALSE(headless_->IsWindow(popup)) << kind;
  }
}

TEST_F(PopupHookTest, ASelfClosingPopupClosesWhenSomethingElseIsActivated) {
  std::unique_ptr<RazezaZOHost> host;
  winsys::WindowId popup = Popup(kPopupSelfClosing, host);
  headless_->SetForeground(window_);
  headless_->RunPending();
  EXPECT_FALSE(headless_->IsWindow(popup));
}

TEST_F(PopupHookTest, AMenuClosesItsChainUnlessTheChainItselfIsActivated) {
  std::unique_ptr<RazezaZOHost> chain_host, sub_host;
  winsys::WindowId chain = Popup(kPopupMenu, chain_host);
  winsys::WindowId sub = Popup(kPopupMenu, sub_host);
  headless_->SetProp(chain, property::kHost, chain);
  headless_->SetProp(sub, property::kHost, chain);
  headless_->SetForeground(chain);  // moving within the chain: both stay
  headless_->RunPending();
  EXPECT_TRUE(headless_->IsWindow(chain));
  EXPECT_TRUE(headless_->IsWindow(sub));
  headless_->SetForeground(window_);
  headless_->RunPending();
  EXPECT_FALSE(headless_->IsWindow(chain));
}

// A menu opened while another is open (a right click that reaches the owner)
// is a chain of its own: activating it closes the first chain, which would
// otherwise stay open without the activation that Escape and clicks elsewhere
// need to close it.
TEST_F(PopupHookTest, ActivatingAnotherChainClosesThisOne) {
  std::unique_ptr<RazezaZOHost> first_host, second_host;
  winsys::WindowId second = Popup(0, second_host);
  winsys::WindowId first = Popup(0, first_host);  // active; both become menus only now
  for (winsys::WindowId menu : {first, second}) {
    headless_->SetProp(menu, property::kFlags, kPopupMenu);
    headless_->SetProp(menu, property::kHost, menu);
  }
  headless_->SetForeground(second);
  headless_->RunPending();
  EXPECT_FALSE(headless_->IsWindow(first));
  EXPECT_TRUE(headless_->IsWindow(second));
}

TEST_F(PopupHookTest, DestroyClearsTheKindsProperties) {
  std::unique_ptr<RazezaZOHost> host;
  winsys::WindowId box = Popup(kPopupMessageBox, host);
  headless_->SetProp(box, property::kMessageBox, 48);
  std::intptr_t seen_at_destroy = -1;
  host->hooks().message = [&](winsys::WindowId w, unsigned m, winsys::WParam wp, winsys::LParam lp) {
    winsys::LResult r = PopupWindowHook(w, m, wp, lp);
    if (m == winsys::WM_DESTROY)
      seen_at_destroy = headless_->GetProp(w, property::kMessageBox) + headless_->GetProp(w, property::kFlags);
    return r;
  };
  headless_->DestroyWindow(box);
  EXPECT_EQ(seen_at_destroy, 0);
}

}  // namespace
}  // namespace razezazo
