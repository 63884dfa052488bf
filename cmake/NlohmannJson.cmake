# nlohmann-json (header only): the window reads and writes project files with it, and the
# tests read their reference scenarios. A native build takes the installed package
# (Debian: nlohmann-json3-dev). A cross build may not take the host's packages, and the
# host's include folder also holds its C library, which must not shadow the target's: the
# headers are copied into a folder of their own and used from there.
# KNEEBRACE_NLOHMANN_JSON_INCLUDE_DIR names another folder holding nlohmann/json.hpp.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3 QUIET)
endif()
if(NOT TARGET nlohmann_json::nlohmann_json)
  find_path(KNEEBRACE_NLOHMANN_JSON_INCLUDE_DIR nlohmann/json.hpp
            PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH
            DOC "Folder that holds nlohmann/json.hpp")
  if(NOT KNEEBRACE_NLOHMANN_JSON_INCLUDE_DIR)
    message(FATAL_ERROR "nlohmann-json not found. Install it (Debian: nlohmann-json3-dev) or set "
                        "KNEEBRACE_NLOHMANN_JSON_INCLUDE_DIR to the folder holding "
                        "nlohmann/json.hpp.")
  endif()
  set(kneebrace_json_include ${CMAKE_BINARY_DIR}/nlohmann_json/include)
  file(COPY ${KNEEBRACE_NLOHMANN_JSON_INCLUDE_DIR}/nlohmann DESTINATION ${kneebrace_json_include})
  add_library(kneebrace_nlohmann_json INTERFACE)
  target_include_directories(kneebrace_nlohmann_json SYSTEM INTERFACE ${kneebrace_json_include})
  add_library(nlohmann_json::nlohmann_json ALIAS kneebrace_nlohmann_json)
endif()
