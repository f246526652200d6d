# Morvex resources: generated icons and sound, the resource script and the
# copy of the expiry sound next to the executable.
#
#   include(cmake/resources.cmake)
#   enable_language(RC)                  # done by the caller
#   morvex_add_resources(<target>)
#
# morvex_add_resources(<target>)
#   * generates ${CMAKE_BINARY_DIR}/res/morvex.ico, deskr.ico (from
#     tools/make_icons.py) and thx.wav (from tools/make_chime.py) with the
#     Python 3 interpreter; the files are rebuilt when a script changes;
#   * writes the manifest from resources/morvex.manifest.in into the
#     generated folder, with the version of project() (four numbers, the
#     last 0), as the version header is written, and the processor of the
#     target (x86 for a 32-bit build, amd64 for a 64-bit one);
#   * adds resources/morvex.rc to <target>; the RC compiler searches the
#     generated folder, the folder of the version header
#     (MORVEX_GENERATED_DIR, set by the top-level CMakeLists.txt) and
#     resources/ (-I), and the .rc object is rebuilt when an icon, the
#     manifest or the version changes;
#   * copies thx.wav next to <target>'s executable after each link (the
#     target relinks when thx.wav is regenerated).
#
#   Results, for a packaging step:
#     MORVEX_THX_WAV        (variable in the caller's scope) full path of
#                           the generated thx.wav
#     MORVEX_RESOURCE_DIR   (variable in the caller's scope) the folder of
#                           the generated files
#     MORVEX_THX_WAV        (property of <target>) the same path, e.g.
#                           install(FILES $<TARGET_PROPERTY:morvex,MORVEX_THX_WAV>
#                                   DESTINATION .)
#
# Call it in the directory that creates <target>. The generation rules are
# made once per build tree (target morvex_generated_resources); further
# calls for other targets reuse them.

include_guard(GLOBAL)

if(CMAKE_VERSION VERSION_LESS 3.20)
  message(FATAL_ERROR "cmake/resources.cmake needs CMake 3.20 or newer")
endif()

function(morvex_add_resources target)
  if(NOT TARGET ${target})
    message(FATAL_ERROR "morvex_add_resources: '${target}' is not a target")
  endif()

  get_filename_component(root "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/.." ABSOLUTE)
  set(res_src "${root}/resources")
  set(gen_dir "${CMAKE_BINARY_DIR}/res")
  set(icon_script  "${root}/tools/make_icons.py")
  set(chime_script "${root}/tools/make_chime.py")
  set(program_ico "${gen_dir}/morvex.ico")
  set(deskr_ico   "${gen_dir}/deskr.ico")
  set(thx_wav     "${gen_dir}/thx.wav")
  set(rc_file     "${res_src}/morvex.rc")
  set(manifest    "${gen_dir}/morvex.manifest")

  # Generation rules, once per build tree.
  if(NOT TARGET morvex_generated_resources)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)

    add_custom_command(
      OUTPUT "${program_ico}" "${deskr_ico}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${gen_dir}"
      COMMAND Python3::Interpreter "${icon_script}" "${gen_dir}"
      DEPENDS "${icon_script}" "${root}/tools/icon_shapes.py" "${root}/tools/icon_file.py"
      COMMENT "Generating morvex.ico and deskr.ico"
      VERBATIM)

    add_custom_command(
      OUTPUT "${thx_wav}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${gen_dir}"
      COMMAND Python3::Interpreter "${chime_script}" "${thx_wav}"
      DEPENDS "${chime_script}"
      COMMENT "Generating thx.wav"
      VERBATIM)

    add_custom_target(morvex_generated_resources
      DEPENDS "${program_ico}" "${deskr_ico}" "${thx_wav}")
  endif()

  # The manifest names the program's version, from project(), and its processor.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(MORVEX_MANIFEST_ARCH x86)
  else()
    set(MORVEX_MANIFEST_ARCH amd64)
  endif()
  configure_file("${res_src}/morvex.manifest.in" "${manifest}" @ONLY)

  # The resource script, compiled into the target.
  target_sources(${target} PRIVATE "${rc_file}")
  target_include_directories(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:RC>:${gen_dir}>"
    "$<$<COMPILE_LANGUAGE:RC>:${MORVEX_GENERATED_DIR}>"
    "$<$<COMPILE_LANGUAGE:RC>:${res_src}>")
  # windres does not report the files a .rc pulls in, so name them here.
  set_property(SOURCE "${rc_file}" TARGET_DIRECTORY ${target}
    APPEND PROPERTY OBJECT_DEPENDS "${program_ico}" "${deskr_ico}" "${manifest}"
                                   "${MORVEX_GENERATED_DIR}/app/version.h")
  add_dependencies(${target} morvex_generated_resources)

  # The expiry sound next to the executable. LINK_DEPENDS relinks the
  # target (and so runs the copy) whenever thx.wav is regenerated.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${thx_wav}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different
            "${thx_wav}" "$<TARGET_FILE_DIR:${target}>/thx.wav"
    VERBATIM)

  set_property(TARGET ${target} PROPERTY MORVEX_THX_WAV "${thx_wav}")
  set(MORVEX_THX_WAV "${thx_wav}" PARENT_SCOPE)
  set(MORVEX_RESOURCE_DIR "${gen_dir}" PARENT_SCOPE)
endfunction()
