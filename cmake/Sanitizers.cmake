# Sanitizer flags applied to the whole build when asked for. Float-to-integer overflow is not part
# of "undefined" in either compiler: it is asked for by name where the compiler has it.
include(CheckCXXCompilerFlag)
if(MIVO_SANITIZE)
  set(MIVO_UB_CHECKS undefined)
  set(CMAKE_REQUIRED_LINK_OPTIONS -fsanitize=float-cast-overflow)
  check_cxx_compiler_flag(-fsanitize=float-cast-overflow MIVO_HAS_FLOAT_CAST_CHECK)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)
  if(MIVO_HAS_FLOAT_CAST_CHECK)
    set(MIVO_UB_CHECKS undefined,float-cast-overflow)
  endif()
  add_compile_options(-fsanitize=address,${MIVO_UB_CHECKS} -fno-omit-frame-pointer
                      -fno-sanitize-recover=${MIVO_UB_CHECKS})
  add_link_options(-fsanitize=address,${MIVO_UB_CHECKS})
endif()
if(MIVO_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
