#include "app/config.h"

#include "app/build_config.h"
#include "runtime/environment.h"
#include "runtime/gbk.h"

namespace app {
namespace {

runtime::Text Value(const char* variable, const char* built_in) {
  return runtime::Utf8ToGbk(runtime::EnvironmentValue(variable).value_or(built_in));
}

}  // namespace

Config Config::FromEnvironment() {
  return {
      Value("BRIVO_SITE_MOBILE_HOST", build::kSiteMobileHost),
      Value("BRIVO_SITE_WEB_HOST", build::kSiteWebHost),
      Value("BRIVO_SITE_RTMP_HOST", build::kSiteRtmpHost),
      Value("BRIVO_UPDATE_VERSION_URL", build::kUpdateVersionUrl),
      Value("BRIVO_UPDATE_PAGE_URL", build::kUpdatePageUrl),
      Value("BRIVO_FEEDBACK_MAIL_HOST", build::kFeedbackMailHost),
      Value("BRIVO_FEEDBACK_ADDRESS_PARAM", build::kFeedbackAddressParam),
  };
}

}  // namespace app
