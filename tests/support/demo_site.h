#pragma once
// The local demo site (demo/site) for a test: started on free loopback ports in a
// folder of its own, stopped when the object goes.
#include <map>
#include <string>

#include "tests/support/temp_dir.h"

namespace testing_support {

class DemoSite {
 public:
  DemoSite();
  ~DemoSite();
  DemoSite(const DemoSite&) = delete;
  DemoSite& operator=(const DemoSite&) = delete;

  // A value of the site's env file (BRIVO_SITE_RTMP_HOST, BRIVO_DEMO_ROOT, ...).
  const std::string& Get(const std::string& name) const { return env_.at(name); }
  // The BRIVO_ settings that point the program at this site.
  std::map<std::string, std::string> ProgramEnvironment() const;
  // Writes a GBK play page in the site's layout; returns its address.
  std::string AddPage(const std::string& file, const std::string& track_name_utf8, const std::string& play_dir,
                      const std::string& play_file) const;
  // Writes any file into the site's root; returns its address.
  std::string AddFile(const std::string& file, const std::string& bytes) const;
  std::string Log() const;

  // A play page whose track, a minute long, takes about that long to download
  // with RealtimeTool(): progress can be watched and a download stopped half-way.
  std::string LongTrackPage() const { return Get("BRIVO_DEMO_LONG_PAGE_URL"); }
  // rtmpdump asking for a short play buffer, so that nginx sends in real time.
  std::string RealtimeTool() const { return Get("BRIVO_DEMO_REALTIME_RTMPDUMP"); }

 private:
  TempDir state_;
  std::map<std::string, std::string> env_;
};

}  // namespace testing_support
