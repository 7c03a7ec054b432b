#pragma once
// The site and service addresses. Their defaults are fixed when the program is
// built; each can be overridden by an environment variable of the same name in
// capitals with the prefix BRIVO_ (BRIVO_SITE_RTMP_HOST, ...), for tests and
// mirrors; a variable set to the empty text counts as not set. Hosts may carry
// a port ("127.0.0.1:18080").
#include "runtime/text.h"

namespace app {

struct Config {
  runtime::Text site_mobile_host;
  runtime::Text site_web_host;
  runtime::Text site_rtmp_host;
  runtime::Text update_version_url;
  runtime::Text update_page_url;
  runtime::Text feedback_mail_host;
  runtime::Text feedback_address_param;

  // The build's values, each replaced by its environment variable when set and not empty.
  static Config FromEnvironment();
};

}  // namespace app
