# The Windows program's packages: an MSI for installing per machine, and a zip to run from
# anywhere. Both carry the stripped program and texts with Windows line ends, for Notepad.
set(LV_WINDOWS_STAGE ${LV_STAGE}/windows)
set(LV_MSI ${CMAKE_BINARY_DIR}/lettervonk-${PROJECT_VERSION}-x64.msi)
set(LV_ZIP ${CMAKE_BINARY_DIR}/lettervonk-${PROJECT_VERSION}-windows-x64.zip)

configure_file(${LV_PACKAGING}/windows/LEESMIJ.txt ${LV_WINDOWS_STAGE}/LEESMIJ.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${LV_WINDOWS_STAGE}/LICENSE.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/resources/lettervonk.ico ${LV_WINDOWS_STAGE}/lettervonk.ico
               COPYONLY)
# wixl finds the files named in it relative to where it runs, beside it.
configure_file(${LV_PACKAGING}/windows/lettervonk.wxs.in ${LV_STAGE}/lettervonk.wxs @ONLY)

add_custom_command(
  OUTPUT ${LV_WINDOWS_STAGE}/lettervonk.exe
  COMMAND ${CMAKE_STRIP} -o ${LV_WINDOWS_STAGE}/lettervonk.exe $<TARGET_FILE:lettervonk>
  DEPENDS lettervonk
  VERBATIM
)
add_custom_command(
  OUTPUT ${LV_MSI}
  COMMAND wixl -a x64 -o ${LV_MSI} lettervonk.wxs
  WORKING_DIRECTORY ${LV_STAGE}
  DEPENDS ${LV_STAGE}/lettervonk.wxs ${LV_WINDOWS_STAGE}/lettervonk.exe
    ${LV_WINDOWS_STAGE}/LICENSE.txt ${LV_WINDOWS_STAGE}/lettervonk.ico
  VERBATIM
)
add_custom_command(
  OUTPUT ${LV_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${LV_ZIP}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${LV_ZIP} --format=zip
    lettervonk.exe LEESMIJ.txt LICENSE.txt
  WORKING_DIRECTORY ${LV_WINDOWS_STAGE}
  DEPENDS ${LV_WINDOWS_STAGE}/lettervonk.exe ${LV_WINDOWS_STAGE}/LEESMIJ.txt
    ${LV_WINDOWS_STAGE}/LICENSE.txt
  VERBATIM
)
add_custom_target(packages DEPENDS ${LV_MSI} ${LV_ZIP})
