# Layout rule: src/<area>/*.cpp is portable and must build without <windows.h>;
# src/<area>/win32/*.cpp, src/framework and src/app are the Windows side.
set(MERETH_SRC ${CMAKE_SOURCE_DIR}/src)

file(GLOB MERETH_CORE_SOURCES CONFIGURE_DEPENDS ${MERETH_SRC}/*/*.cpp)
list(FILTER MERETH_CORE_SOURCES EXCLUDE REGEX "/src/(framework|app|res)/")

add_library(mereth_core STATIC ${MERETH_CORE_SOURCES})
target_include_directories(mereth_core PUBLIC ${MERETH_SRC})

if(WIN32)
    enable_language(RC)
    add_subdirectory(src/res)

    file(GLOB MERETH_WIN32_SOURCES CONFIGURE_DEPENDS
        ${MERETH_SRC}/*/win32/*.cpp ${MERETH_SRC}/framework/*.cpp)
    add_library(mereth_win32 STATIC ${MERETH_WIN32_SOURCES})
    target_link_libraries(mereth_win32 PUBLIC mereth_core
        rasapi32 comctl32 shell32 user32 gdi32 advapi32 kernel32)

    if(EXISTS ${CMAKE_SOURCE_DIR}/tools/rassim/CMakeLists.txt)
        add_subdirectory(tools/rassim)
    endif()
    if(EXISTS ${MERETH_SRC}/app/CMakeLists.txt)
        add_subdirectory(src/app)
    endif()
endif()
