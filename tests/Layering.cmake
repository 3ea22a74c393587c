# Checks the include rule of the layers from the sources: a file includes
# headers of its own layer and of the layers below it only, and data/ no
# header of Qt GUI or Qt Widgets. Each break is named by file and line.
#   cmake -DSOURCE_DIR=... "-DQT_GUI_DIRS=dir;dir" -P Layering.cmake
# With -DPLANT_IN=<layer> "-DPLANT=<line>", the line is added at the end of
# every file of that layer first, and the check passes only when each of
# those files, and nothing else, is reported: a test of the check itself.
set(layers data platform res ui app) # from the bottom up

# The rank of the layer a path from the top of the tree starts with, or -1.
function(layer_rank path out)
    string(REGEX MATCH "^[^/]+" first "${path}")
    list(FIND layers "${first}" rank)
    set(${out} ${rank} PARENT_SCOPE)
endfunction()

function(is_gui_header name out)
    set(gui FALSE)
    if(name MATCHES "^Qt(Gui|Widgets)(/|$)")
        set(gui TRUE)
    elseif(NOT name MATCHES "/")
        foreach(dir IN LISTS QT_GUI_DIRS)
            if(EXISTS "${dir}/${name}")
                set(gui TRUE)
            endif()
        endforeach()
    endif()
    set(${out} ${gui} PARENT_SCOPE)
endfunction()

# Appends to the caller's "breaks" one entry per include of file (a path
# from the top) that breaks the rule.
function(check_file file)
    file(READ "${SOURCE_DIR}/${file}" text)
    layer_rank("${file}" own)
    list(GET layers ${own} own_name)
    # One list element per line; characters that CMake lists treat specially
    # cannot matter in an include line.
    string(REPLACE "\\" "/" text "${text}")
    string(REPLACE ";" "," text "${text}")
    string(REPLACE "[" "(" text "${text}")
    string(REPLACE "]" ")" text "${text}")
    string(REPLACE "\n" ";" lines "${text}")
    if(PLANT AND own_name STREQUAL PLANT_IN)
        list(APPEND lines "${PLANT}")
    endif()
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
            continue()
        endif()
        set(bracket "${CMAKE_MATCH_1}")
        set(header "${CMAKE_MATCH_2}")
        layer_rank("${header}" rank)
        if(rank GREATER own)
            list(GET layers ${rank} name)
            list(APPEND breaks "${file}:${number}: includes ${header}, of ${name}/, above ${own_name}/")
        elseif(own_name STREQUAL "data" AND bracket STREQUAL "<")
            is_gui_header("${header}" gui)
            if(gui)
                list(APPEND breaks "${file}:${number}: includes <${header}>, a Qt GUI or Widgets header, in data/")
            endif()
        endif()
    endforeach()
    set(breaks "${breaks}" PARENT_SCOPE)
endfunction()

set(breaks "")
set(planted 0)
foreach(layer IN LISTS layers)
    file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp"
         "${SOURCE_DIR}/${layer}/*.h.in")
    list(SORT files)
    foreach(file IN LISTS files)
        check_file("${file}")
        if(PLANT AND layer STREQUAL PLANT_IN)
            math(EXPR planted "${planted} + 1")
        endif()
    endforeach()
endforeach()

list(LENGTH breaks count)
if(NOT PLANT)
    foreach(entry IN LISTS breaks)
        message("${entry}")
    endforeach()
    if(count GREATER 0)
        message(FATAL_ERROR "${count} include(s) break the layering")
    endif()
    message(STATUS "layering: no file includes a header of a layer above its own")
    return()
endif()

# Each planted file reported once, naming the planted line, and nothing more.
set(named 0)
foreach(entry IN LISTS breaks)
    if(entry MATCHES "^${PLANT_IN}/[^:]+:[0-9]+: includes ")
        math(EXPR named "${named} + 1")
    endif()
endforeach()
if(planted EQUAL 0 OR NOT count EQUAL planted OR NOT named EQUAL planted)
    foreach(entry IN LISTS breaks)
        message("${entry}")
    endforeach()
    message(FATAL_ERROR "planted in ${planted} files of ${PLANT_IN}/: ${named} of them reported, ${count} reports in all")
endif()
message(STATUS "layering: the include planted in each of ${planted} files of ${PLANT_IN}/ is reported")
