# Layout rule: src/<area>/*.cpp is portable and must build without <windows.h>;
# src/<area>/win32/*.cpp, src/framework and src/app are the Windows side.
set(MERETH_SRC ${CMAKE_SOURCE_DIR}/src)

# src/core and src/framework see only themselves (and the framework src/core): their
# include path is a folder that holds links to just those areas, so an include of any
# other area fails to build.
set(MERETH_LAYERS ${CMAKE_BINARY_DIR}/layers)
foreach(layer core framework)
    file(MAKE_DIRECTORY ${MERETH_LAYERS}/${layer})
    file(CREATE_LINK ${MERETH_SRC}/${layer} ${MERETH_LAYERS}/${layer}/${layer} SYMBOLIC)
endforeach()

file(GLOB MERETH_BASE_SOURCES CONFIGURE_DEPENDS ${MERETH_SRC}/core/*.cpp)
add_library(mereth_base STATIC ${MERETH_BASE_SOURCES})
target_include_directories(mereth_base PUBLIC ${MERETH_LAYERS}/core)

file(GLOB MERETH_CORE_SOURCES CONFIGURE_DEPENDS ${MERETH_SRC}/*/*.cpp)
list(FILTER MERETH_CORE_SOURCES EXCLUDE REGEX "/src/(core|framework|app|res)/")

add_library(mereth_core STATIC ${MERETH_CORE_SOURCES})
target_include_directories(mereth_core PUBLIC ${MERETH_SRC})
target_link_libraries(mereth_core PRIVATE mereth_base)

# The version of project() as a header, for the resource scripts and the code.
set(MERETH_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/cmake/MerethVersion.h.in ${MERETH_GENERATED}/MerethVersion.h)

if(WIN32)
    enable_language(RC)
    add_subdirectory(src/res)

    file(GLOB MERETH_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${MERETH_SRC}/framework/*.cpp)
    add_library(mereth_framework STATIC ${MERETH_FRAMEWORK_SOURCES})
    target_include_directories(mereth_framework PRIVATE ${MERETH_LAYERS}/framework)
    target_link_libraries(mereth_framework PRIVATE mereth_base
        PUBLIC comctl32 user32 gdi32 kernel32)

    file(GLOB MERETH_WIN32_SOURCES CONFIGURE_DEPENDS ${MERETH_SRC}/*/win32/*.cpp)
    add_library(mereth_win32 STATIC ${MERETH_WIN32_SOURCES})
    target_link_libraries(mereth_win32 PUBLIC mereth_core mereth_framework
        rasapi32 comctl32 comdlg32 shell32 user32 gdi32 advapi32 version kernel32)

    if(EXISTS ${CMAKE_SOURCE_DIR}/tools/rassim/CMakeLists.txt)
        add_subdirectory(tools/rassim)
    endif()
    if(EXISTS ${MERETH_SRC}/app/CMakeLists.txt)
        add_subdirectory(src/app)
    endif()
endif()
