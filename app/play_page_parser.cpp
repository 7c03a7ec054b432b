#include "app/play_page_parser.h"

#include "app/download_job.h"
#include "app/extract_between.h"
#include "app/texts.h"
#include "runtime/http_get.h"
#include "runtime/text_ops.h"

namespace app {
namespace {

using runtime::Text;

constexpr runtime::ReplaceOptions kCaseSensitive{.case_sensitive = true};

// Substitutes every name='value'; assignment of the section into the expression,
// in section order, each into the result of the one before.
void SubstituteAssignments(AppState& state) {
  runtime::CompilePattern(state.assignment_pattern, texts::kAssignmentPattern);
  state.assignments = runtime::SearchAll(state.assignment_pattern, state.script_section);
  for (const runtime::MatchResult& match : state.assignments) {
    Text name = runtime::SubmatchText(match, state.script_section, 1);
    Text value = runtime::SubmatchText(match, state.script_section, 2);
    state.path_expression = runtime::Replace(state.path_expression, name, value, kCaseSensitive);
  }
}

}  // namespace

void ReadPlayPage(const Config& config, AppState& state) {
  state.script_section = ExtractBetween(
      state.page_text, runtime::Concat(config.site_mobile_host, texts::kSectionStartSuffix), texts::kSectionEnd);
  state.track_name = ExtractBetween(state.script_section, texts::kTrackNameStart, texts::kTrackNameEnd);
  state.path_variable = ExtractBetween(state.script_section, texts::kPathVariableStart, texts::kPathVariableEnd);
  state.path_expression = ExtractBetween(state.script_section, runtime::Concat(state.path_variable, "="),
                                         texts::kPathExpressionEnd);
  state.path_expression = runtime::Replace(state.path_expression, texts::kPathPrefix, {}, kCaseSensitive);
  SubstituteAssignments(state);
  state.path_expression = runtime::Replace(state.path_expression, texts::kJoiner, {}, kCaseSensitive);
  state.stream_path = state.path_expression;
}

bool ParsePlayPage(AppContext& context) {
  AppState& state = context.state;
  MainView& view = context.view;
  if (view.EditText(EditBox::kAddress).empty()) {
    view.ShowMessageBox({.content = texts::kEnterAddress, .type = kBoxOk, .icon = kIconWarning});
    return false;
  }
  state.page_url = view.EditText(EditBox::kAddress);
  state.page_text = runtime::ToText(runtime::HttpGet(state.page_url));
  ReadPlayPage(context.config, state);
  view.SetEditText(EditBox::kResult, state.track_name);
  view.SetEditText(EditBox::kPath, state.stream_path);
  return true;
}

void PlayPageParser(AppContext& context) {
  if (ParsePlayPage(context)) StartDownloadJob(context);
}

}  // namespace app
