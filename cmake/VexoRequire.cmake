include_guard(GLOBAL)

# vexo_require(VAR name...): VAR is TRUE when every target of this source tree named here
# exists (names with "::" are imported and not looked at). A missing one whose subsystem
# was left out of VEXO_SUBSYSTEMS makes VAR FALSE, and the caller skips what needs it; one
# missing for any other reason stops the configuration, so that no suite drops out of a
# run unnoticed.
function(vexo_require var)
    set(present TRUE)
    file(GLOB lists ${PROJECT_SOURCE_DIR}/*/CMakeLists.txt)
    list(APPEND lists ${PROJECT_SOURCE_DIR}/tests/common/CMakeLists.txt)
    foreach(name ${ARGN})
        if(name MATCHES "::" OR TARGET ${name})
            continue()
        endif()
        set(owner "")
        foreach(file ${lists})
            file(STRINGS ${file} defined REGEX "add_(library|executable)\\(${name}[ \t)]")
            if(defined)
                get_filename_component(dir ${file} DIRECTORY)
                file(RELATIVE_PATH owner ${PROJECT_SOURCE_DIR} ${dir})
                break()
            endif()
        endforeach()
        if(owner STREQUAL "")
            message(FATAL_ERROR "${name}: no folder of the source tree defines it")
        elseif(owner STREQUAL "tests/common" OR owner STREQUAL "fuzz")
            # A shared helper, made when what it needs exists (checked here too).
            set(present FALSE)
        elseif(owner IN_LIST VEXO_SUBSYSTEMS)
            message(FATAL_ERROR "${name} is missing, though VEXO_SUBSYSTEMS builds ${owner}/")
        else()
            set(present FALSE) # its subsystem is left out of this build
        endif()
    endforeach()
    set(${var} ${present} PARENT_SCOPE)
endfunction()
