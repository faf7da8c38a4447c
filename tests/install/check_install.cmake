# Run by tst_install (see CMakeLists.txt).

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(data share/velkor-ped)
set(expected
  bin/Velkor_PED ${LIBEXEC}/velkor-jet-import ${LIBEXEC}/velkor-help-read
  ${data}/Velkor_PED.mdb ${data}/PMA_Index.mdb ${data}/PathSet.vlk ${data}/Settings.vlk
  ${data}/Velkor_PED_HELP.chm ${data}/Velkor_PED_License.rtf ${data}/PMA_0001.pdf ${data}/morepmainfo.pdf
  share/applications/velkor-ped.desktop
  share/icons/hicolor/scalable/apps/velkor-ped.svg)
foreach(size ${ICON_SIZES})
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/velkor-ped.png)
endforeach()
foreach(file ${expected})
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The program folder holds data only; the build's tools stay out of the prefix.
file(GLOB installed_programs ${PREFIX}/bin/*)
if(NOT installed_programs STREQUAL "${PREFIX}/bin/Velkor_PED")
  message(FATAL_ERROR "bin/ holds more than the program: ${installed_programs}")
endif()

set(desktop ${PREFIX}/share/applications/velkor-ped.desktop)
execute_process(COMMAND ${VALIDATE} ${desktop} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0 OR NOT out STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
file(STRINGS ${desktop} exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${PREFIX}/bin/Velkor_PED")
  message(FATAL_ERROR "the desktop entry starts ${exec}, not the installed program")
endif()

# The first start of the installed program copies the default data files from its program folder
# into a new per-user data folder; it is then stopped.
set(appdata ${PREFIX}/appdata)
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env APPDATA=${appdata} QT_QPA_PLATFORM=offscreen ${PREFIX}/bin/Velkor_PED
  WORKING_DIRECTORY ${PREFIX}
  TIMEOUT 5
  OUTPUT_QUIET ERROR_QUIET)
foreach(file PathSet.vlk Settings.vlk)
  if(NOT EXISTS ${appdata}/Brisvale/Velkor_PED/${file})
    message(FATAL_ERROR "the installed program did not read its program folder: no ${file} in the data folder")
  endif()
endforeach()

# Started again on a Jet database, it imports it with its own import program: the copy lands in
# the cache folder.
file(MAKE_DIRECTORY ${PREFIX}/jet)
file(COPY_FILE ${JET_FIXTURE} ${PREFIX}/jet/Velkor_PED.mdb)
file(WRITE ${appdata}/Brisvale/Velkor_PED/PathSet.vlk "${PREFIX}/jet/Velkor_PED.mdb\r\n")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env APPDATA=${appdata} XDG_CACHE_HOME=${PREFIX}/cache QT_QPA_PLATFORM=offscreen
          ${PREFIX}/bin/Velkor_PED
  WORKING_DIRECTORY ${PREFIX}
  TIMEOUT 8
  OUTPUT_QUIET ERROR_QUIET)
file(GLOB copies ${PREFIX}/cache/velkor-ped/*.sqlite)
if(NOT copies)
  message(FATAL_ERROR "the installed program did not import its Jet database: no copy in its cache folder")
endif()
file(REMOVE_RECURSE ${PREFIX})
