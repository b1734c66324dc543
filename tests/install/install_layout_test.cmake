# Installs the build into a staging folder and checks that the installed
# programs work from there: the links in bin/ reach programs that find their
# action libraries, and the desktop's file type matches what Kestrin saves.
# Run with -DBUILD_DIR=<build folder> -DWORK=<scratch folder> [-DGUI=ON].

file(REMOVE_RECURSE ${WORK})
set(stage ${WORK}/stage)
set(ENV{DESTDIR} ${stage})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr/local
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(root ${stage}/usr/local)

function(expect_exists path)
    if(NOT EXISTS ${root}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endfunction()

foreach(path lib/kestrin/kestrin-cli lib/kestrin/rundata lib/kestrin/fnames lib/kestrin/lib/20_main1.lib
             lib/kestrin/manual/index.html bin/kestrin-cli)
    expect_exists(${path})
endforeach()
if(NOT IS_SYMLINK ${root}/bin/kestrin-cli)
    message(FATAL_ERROR "bin/kestrin-cli is not a link")
endif()

# The link, started from elsewhere, finds the libraries beside the real program.
execute_process(COMMAND ${root}/bin/kestrin-cli libs WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE result OUTPUT_VARIABLE listing ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT listing MATCHES "main1")
    message(FATAL_ERROR "installed kestrin-cli libs failed (${result}): ${listing}${errors}")
endif()

if(GUI)
    foreach(path lib/kestrin/kestrin bin/kestrin share/applications/kestrin.desktop
                 share/mime/packages/kestrin-game.xml share/icons/hicolor/scalable/apps/kestrin.svg
                 share/icons/hicolor/16x16/apps/kestrin.png share/icons/hicolor/256x256/apps/kestrin.png)
        expect_exists(${path})
    endforeach()
    # The launcher names the type the type file declares.
    file(READ ${root}/share/applications/kestrin.desktop launcher)
    file(READ ${root}/share/mime/packages/kestrin-game.xml types)
    string(REGEX MATCH "MimeType=([^;\n]+);" _ "${launcher}")
    set(type ${CMAKE_MATCH_1})
    if(NOT type OR NOT types MATCHES "<mime-type type=\"${type}\">")
        message(FATAL_ERROR "kestrin.desktop names \"${type}\", which kestrin-game.xml does not declare")
    endif()
    # The type's magic number is how a saved game really starts.
    execute_process(COMMAND ${root}/bin/kestrin-cli new ${WORK}/new.ksd RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "kestrin-cli new failed: ${result}")
    endif()
    file(READ ${WORK}/new.ksd first_bytes HEX LIMIT 4)
    string(REGEX MATCH "type=\"little32\" offset=\"0\" value=\"([0-9]+)\"" _ "${types}")
    math(EXPR magic "${CMAKE_MATCH_1}" OUTPUT_FORMAT HEXADECIMAL)
    # 0x12D591 little-endian is 91 d5 12 00.
    string(REGEX REPLACE "^0x" "" magic_hex "${magic}")
    string(LENGTH "${magic_hex}" digits)
    while(digits LESS 8)
        set(magic_hex "0${magic_hex}")
        math(EXPR digits "${digits} + 1")
    endwhile()
    string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" magic_bytes "${magic_hex}")
    string(TOLOWER "${magic_bytes}" magic_bytes)
    if(NOT first_bytes STREQUAL magic_bytes)
        message(FATAL_ERROR "a saved game starts with ${first_bytes}, the type's magic is ${magic_bytes}")
    endif()
endif()
file(REMOVE_RECURSE ${WORK})
