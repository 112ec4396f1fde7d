# Every Wine test shares the build's own prefix: created once per test run by
# the setup fixture, removed by the cleanup fixture, used by one test at a time.
set(WINE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(WINE_PREFIX_DIR ${CMAKE_BINARY_DIR}/wineprefix)

if(NOT TARGET wine_prefix_fixture_defined)
  add_custom_target(wine_prefix_fixture_defined)
  add_test(NAME wine.prefix.create COMMAND ${WINE_DIR}/wine-prefix create)
  add_test(NAME wine.prefix.remove COMMAND ${WINE_DIR}/wine-prefix remove)
  set_tests_properties(wine.prefix.create PROPERTIES
    FIXTURES_SETUP wine_prefix RESOURCE_LOCK wine_prefix TIMEOUT 600
    ENVIRONMENT "WINEPREFIX=${WINE_PREFIX_DIR}")
  set_tests_properties(wine.prefix.remove PROPERTIES
    FIXTURES_CLEANUP wine_prefix RESOURCE_LOCK wine_prefix
    ENVIRONMENT "WINEPREFIX=${WINE_PREFIX_DIR}")
endif()

function(wine_test_properties name)
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine_prefix RESOURCE_LOCK wine_prefix TIMEOUT 600
    ENVIRONMENT "WINEPREFIX=${WINE_PREFIX_DIR};WINE_RUN=${WINE_DIR}/wine-run;WINE_PREFIX_TOOL=${WINE_DIR}/wine-prefix")
endfunction()
