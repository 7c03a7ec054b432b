#include "tests/support/demo_site.h"

#include <sstream>
#include <stdexcept>

#include "runtime/gbk.h"
#include "tests/support/child_process.h"

namespace testing_support {
namespace {

const std::string kSiteScript = std::string(BRIVO_SOURCE_DIR) + "/demo/site";

// Reads the lines "export NAME='value'".
std::map<std::string, std::string> ParseEnvFile(const std::string& text) {
  std::map<std::string, std::string> env;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    size_t eq = line.find("='");
    if (line.rfind("export ", 0) != 0 || eq == std::string::npos || line.back() != '\'') continue;
    env[line.substr(7, eq - 7)] = line.substr(eq + 2, line.size() - eq - 3);
  }
  return env;
}

}  // namespace

DemoSite::DemoSite() {
  ChildResult started = RunChild({kSiteScript, "start", state_.path().string()},
                                 {{"BRIVO_DEMO_ANY_PORT", "1"}, {"BRIVO_DEMO_MEDIA_CACHE", BRIVO_DEMO_MEDIA_CACHE}});
  if (started.exit_code != 0) throw std::runtime_error("demo site did not start: " + started.output);
  env_ = ParseEnvFile(ReadWholeFile(state_.path() / "env"));
}

DemoSite::~DemoSite() { RunChild({kSiteScript, "stop", state_.path().string()}); }

std::map<std::string, std::string> DemoSite::ProgramEnvironment() const {
  std::map<std::string, std::string> program;
  for (const auto& [name, value] : env_)
    if (name.rfind("BRIVO_DEMO_", 0) != 0) program[name] = value;
  return program;
}

std::string DemoSite::AddPage(const std::string& file, const std::string& track_name_utf8, const std::string& play_dir,
                              const std::string& play_file) const {
  std::string page = "<html><body><h1>" + track_name_utf8 +
                     "</h1><script>window.onload=function(){if(isMobile()){location.href=('http://" +
                     Get("BRIVO_SITE_MOBILE_HOST") + "');}ab='" + play_dir + "';cd='" + play_file + "';var n =\"" +
                     track_name_utf8 +
                     "\";var t=1;play(fwqhp, pv);pv=x4+k1v+ab+cd;fmpObj = {};}</script></body></html>";
  return AddFile(file, runtime::Utf8ToGbk(page));
}

std::string DemoSite::AddFile(const std::string& file, const std::string& bytes) const {
  const std::filesystem::path path = Get("BRIVO_DEMO_ROOT") + "/" + file;
  std::filesystem::create_directories(path.parent_path());
  WriteWholeFile(path, bytes);
  return "http://127.0.0.1:" + Get("BRIVO_DEMO_HTTP_PORT") + "/" + file;
}

std::string DemoSite::Log() const { return ReadWholeFile(Get("BRIVO_DEMO_LOG")); }

}  // namespace testing_support
