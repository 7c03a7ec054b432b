#pragma once
// An application context over an in-memory view, a task-queue UI thread and a
// local HTTP server, with the site's mobile host pointing at that server.
#include <gtest/gtest.h>

#include "app/app_context.h"
#include "app/task_queue.h"
#include "runtime/gbk.h"
#include "tests/support/http_test_server.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

class AppFixture : public ::testing::Test {
 protected:
  AppFixture() {
    context_.config.site_mobile_host = MobileHost();
    context_.config.site_rtmp_host = "127.0.0.1:1935";
    context_.config.site_web_host = "www.example.test";
  }

  std::string MobileHost() const { return "127.0.0.1:" + std::to_string(server_.port()); }

  // A play page in the site's layout around `script` (the part after the start marker).
  std::string Page(const std::string& script) const {
    return "<html><head><title>play</title></head><body><div id=\"player\"></div><script>"
           "function go(){if(isMobile()){location.href=('http://" +
           MobileHost() + "');}" + script + "}</script><p>footer</p></body></html>";
  }

  std::string Serve(const std::string& path, const std::string& body) {
    server_.Route(path, {.body = body});
    return server_.Url(path);
  }

  void SetAddress(const std::string& address) { view_.SetEditText(app::EditBox::kAddress, address); }
  std::string Box(app::EditBox box) { return runtime::GbkToUtf8(view_.EditText(box)); }

  ScopedEnv no_proxy_{"no_proxy", "127.0.0.1,localhost"};
  HttpTestServer server_;
  app::TaskQueue ui_;
  RecordingView view_{ui_};
  TempDir download_folder_;
  app::AppContext context_{.view = view_, .ui = ui_, .download_folder = download_folder_.path()};
};

}  // namespace testing_support
