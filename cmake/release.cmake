# The project's version and release date come from the newest entry of
# debian/changelog, so the package, the manual pages and the AppStream release
# list never disagree. Sets BRIVO_RELEASE_VERSION and BRIVO_RELEASE_DATE
# (YYYY-MM-DD). Runs before project(), which takes the version.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../debian/changelog brivo_changelog LIMIT_COUNT 8)
list(GET brivo_changelog 0 brivo_heading)
if(NOT brivo_heading MATCHES "^brivo \\(([0-9.]+)\\)")
  message(FATAL_ERROR "debian/changelog: no version in its first line: ${brivo_heading}")
endif()
set(BRIVO_RELEASE_VERSION ${CMAKE_MATCH_1})

list(FILTER brivo_changelog INCLUDE REGEX "^ -- ")
list(GET brivo_changelog 0 brivo_trailer)
if(NOT brivo_trailer MATCHES ", ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "debian/changelog: no date in the newest entry's trailer: ${brivo_trailer}")
endif()
set(brivo_day ${CMAKE_MATCH_1})
set(brivo_year ${CMAKE_MATCH_3})
set(brivo_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND brivo_months ${CMAKE_MATCH_2} brivo_month)
if(brivo_month EQUAL -1)
  message(FATAL_ERROR "debian/changelog: no month in the newest entry's trailer: ${brivo_trailer}")
endif()
math(EXPR brivo_month "${brivo_month} + 1" OUTPUT_FORMAT DECIMAL)
if(brivo_month LESS 10)
  set(brivo_month 0${brivo_month})
endif()
set(BRIVO_RELEASE_DATE ${brivo_year}-${brivo_month}-${brivo_day})
