# What every package shares: the version is project()'s, the release date is set here, once. The
# backends' folders include the rules for their own packages: on Linux the install rules and the
# .deb made from them (packaging-linux.cmake), for Windows the MSI and the portable zip
# (packaging-windows.cmake).
include(GNUInstallDirs)

set(LV_APP_ID nl.lettervonk.Lettervonk)
set(LV_RELEASE_DATE 2026-12-09)
set(LV_MAINTAINER "The Lettervonk developers <maintainers@users.noreply.c-seed-c515c3dd.example>")
set(LV_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(LV_STAGE ${CMAKE_BINARY_DIR}/packaging)
