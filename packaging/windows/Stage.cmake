# Lays out what a Windows user downloads, in STAGE (cmake -P, from
# CMakeLists.txt here): the stripped programs, Program.ini, the notice, the
# user guide as a web page with its pictures, and the licence texts. Text
# files get CRLF line ends, for Notepad and the editors a dealer uses.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/licenses)

foreach(program IN ITEMS ${ENCODER} ${CLI})
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${STRIP} -o ${STAGE}/${name} ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

function(text_with_crlf from to)
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()

text_with_crlf(${SOURCE_DIR}/config/DefaultProgram.ini ${STAGE}/Program.ini)
set(PROJECT_VERSION ${VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/README-Windows.txt.in ${STAGE}/README-Windows.txt.lf @ONLY)
text_with_crlf(${STAGE}/README-Windows.txt.lf ${STAGE}/README-Windows.txt)
file(REMOVE ${STAGE}/README-Windows.txt.lf)

execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/render-guide.py
                        ${SOURCE_DIR}/docs/user-guide.md ${STAGE}/docs
                COMMAND_ERROR_IS_FATAL ANY)

set(licenses
  /usr/share/common-licenses/LGPL-3 LGPL-3.0.txt
  /usr/share/common-licenses/GPL-3 GPL-3.0.txt
  /usr/share/common-licenses/LGPL-2.1 LGPL-2.1.txt
  ${CMAKE_CURRENT_LIST_DIR}/Qt-third-party-notices.txt Qt-third-party-notices.txt
  ${SOURCE_DIR}/print/DejaVu-LICENSE.txt DejaVu-fonts.txt
  /usr/share/doc/gcc-mingw-w64-base/copyright GCC-runtime.txt
  /usr/share/doc/mingw-w64-x86-64-dev/copyright MinGW-w64-runtime.txt)
while(licenses)
  list(POP_FRONT licenses from to)
  text_with_crlf(${from} ${STAGE}/licenses/${to})
endwhile()

# What the installer puts into its folder and its uninstaller removes: the
# same files, named one by one, so removing never touches a file the user
# put there. Program.ini is not replaced over an earlier installation's:
# it holds the user's port and model profiles.
file(GLOB_RECURSE files RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(install "")
set(uninstall "")
set(folders "")
set(current_folder "-")
foreach(file IN LISTS files)
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(NOT folder STREQUAL current_folder)
    set(current_folder ${folder})
    if(folder)
      string(APPEND install "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
      list(APPEND folders ${windows_folder})
    else()
      string(APPEND install "SetOutPath \"$INSTDIR\"\n")
    endif()
  endif()
  if(file STREQUAL "Program.ini")
    # Only into a folder of the user's own: under Program Files the program
    # could not store the port there, so an all-users install leaves each
    # user's Program.ini to the program, which makes it in %APPDATA%.
    string(APPEND install "\${If} $MultiUser.InstallMode == \"CurrentUser\"\n"
           "SetOverwrite off\nFile \"${STAGE}/${file}\"\nSetOverwrite on\n\${EndIf}\n")
  else()
    string(APPEND install "File \"${STAGE}/${file}\"\n")
  endif()
  string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
# A folder after the folders inside it.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
  string(APPEND uninstall "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${NSIS_INCLUDES}/install-files.nsh "${install}")
file(WRITE ${NSIS_INCLUDES}/uninstall-files.nsh "${uninstall}")
