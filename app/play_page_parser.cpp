#include "app/play_page_parser.h"

#include <algorithm>

#include "app/download_job.h"
#include "app/extract_between.h"
#include "app/page_address.h"
#include "app/safe_names.h"
#include "app/texts.h"
#include "runtime/http_get.h"
#include "runtime/text_ops.h"

namespace app {
namespace {

using runtime::Text;

constexpr runtime::ReplaceOptions kCaseSensitive{.case_sensitive = true};

// Each substitution works on the result of the one before, so a page can double
// the expression with every assignment (a='aa'; forty times asks for a terabyte).
// No play path comes near this size: past it the parse fails instead.
constexpr size_t kMaxExpressionBytes = size_t{4} * 1024;

// Replaces `name` by `value` in the expression, giving up (false) as soon as the
// result would pass the limit: the replacements are counted so that the text
// built is never much larger than the limit.
bool SubstituteWithinLimit(Text& expression, const Text& name, const Text& value) {
  runtime::ReplaceOptions options = kCaseSensitive;
  if (value.size() > name.size()) {
    const size_t room = kMaxExpressionBytes - std::min(expression.size(), kMaxExpressionBytes);
    options.count = static_cast<long long>(room / (value.size() - name.size()) + 1);
  }
  expression = runtime::Replace(expression, name, value, options);
  return expression.size() <= kMaxExpressionBytes;
}

// Every match of the assignment pattern ends in "';", so the text after the last
// one can hold no match; left in, it only gives the engine room to search in
// vain, at a cost that grows with the square of its length.
std::string_view UpToTheLastAssignmentEnd(std::string_view section) {
  size_t last = section.rfind("';");
  return last == std::string_view::npos ? std::string_view() : section.substr(0, last + 2);
}

// Substitutes every name='value'; assignment of the section into the expression,
// in section order, each into the result of the one before. An expression that
// outgrows any play path is dropped, which the download job reports as a failed parse.
void SubstituteAssignments(AppState& state) {
  runtime::CompilePattern(state.assignment_pattern, texts::kAssignmentPattern);
  state.assignments =
      runtime::SearchAll(state.assignment_pattern, UpToTheLastAssignmentEnd(state.script_section), kMaxAssignments);
  for (const runtime::MatchResult& match : state.assignments) {
    Text name = runtime::SubmatchText(match, state.script_section, 1);
    Text value = runtime::SubmatchText(match, state.script_section, 2);
    if (!SubstituteWithinLimit(state.path_expression, name, value)) {
      state.path_expression.clear();
      return;
    }
  }
}

}  // namespace

void ReadPlayPage(const Config& config, AppState& state) {
  if (state.page_text.size() > kMaxPageBytes) state.page_text.resize(kMaxPageBytes);
  state.script_section = ExtractBetween(
      state.page_text, runtime::Concat(config.site_mobile_host, texts::kSectionStartSuffix), texts::kSectionEnd);
  state.track_name = ExtractBetween(state.script_section, texts::kTrackNameStart, texts::kTrackNameEnd);
  state.path_variable = ExtractBetween(state.script_section, texts::kPathVariableStart, texts::kPathVariableEnd);
  state.path_expression =
      ExtractBetween(state.script_section, runtime::Concat(state.path_variable, "="), texts::kPathExpressionEnd);
  state.path_expression = runtime::Replace(state.path_expression, texts::kPathPrefix, {}, kCaseSensitive);
  SubstituteAssignments(state);
  state.path_expression = runtime::Replace(state.path_expression, texts::kJoiner, {}, kCaseSensitive);
  state.stream_path = state.path_expression;
  state.track_name = CutTrackName(state.track_name);
}

bool ParsePlayPage(AppContext& context) {
  AppState& state = context.state;
  MainView& view = context.view;
  const runtime::Text address = NormalizedPageAddress(view.EditText(EditBox::kAddress));
  if (!runtime::IsWebAddress(address)) {
    view.ShowMessageBox({.content = texts::kEnterAddress, .type = kBoxOk, .icon = kIconWarning});
    return false;
  }
  state.page_url = address;
  // A stop (the window closed, a signal) ends a stalled fetch too.
  const runtime::FetchLimits limits{.max_bytes = kMaxPageBytes, .stop = &context.stop};
  state.page_text = runtime::ToText(context.fetch_page ? context.fetch_page(state.page_url, limits)
                                                       : runtime::HttpGet(state.page_url, limits));
  ReadPlayPage(context.config, state);
  view.SetEditText(EditBox::kResult, state.track_name);
  view.SetEditText(EditBox::kPath, state.stream_path);
  return true;
}

void PlayPageParser(AppContext& context) {
  if (ParsePlayPage(context)) StartDownloadJob(context);
}

}  // namespace app
