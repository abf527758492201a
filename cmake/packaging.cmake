# What a user installs: on Linux the install rules and the .deb made from them, for Windows the
# MSI and the portable zip. The version is project()'s; the release date is set here, once.
include(GNUInstallDirs)

set(LV_APP_ID nl.lettervonk.Lettervonk)
set(LV_RELEASE_DATE 2026-12-09)
set(LV_MAINTAINER "The Lettervonk developers <maintainers@users.noreply.c-seed-c515c3dd.example>")
set(LV_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(LV_STAGE ${CMAKE_BINARY_DIR}/packaging)

if(LV_BACKEND STREQUAL "qt")
  include(${CMAKE_CURRENT_LIST_DIR}/packaging-linux.cmake)
elseif(LV_BACKEND STREQUAL "win32")
  include(${CMAKE_CURRENT_LIST_DIR}/packaging-windows.cmake)
endif()
