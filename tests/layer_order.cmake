# Fails when a source of a program folder includes a header of a folder above
# its own. ORDER names the folders from the bottom up, separated by "|"; a
# folder of the order that does not exist (yet) is skipped. ROOT is the
# source tree. A folder outside the order that holds sources fails too: a
# new folder takes its place in the order before it builds. `tests/` and
# `bench/` may include anything and nothing includes them.
string(REPLACE "|" ";" order "${ORDER}")
if(NOT order OR NOT IS_DIRECTORY "${ROOT}")
  message(FATAL_ERROR "nothing to check: order '${ORDER}', source tree '${ROOT}'")
endif()
set(free_folders tests bench)

function(rank_of folder result)
  list(FIND order "${folder}" rank)
  list(FIND free_folders "${folder}" free)
  if(free GREATER_EQUAL 0)
    list(LENGTH order rank)
  endif()
  set(${result} ${rank} PARENT_SCOPE)
endfunction()

set(offences "")
set(checked 0)
foreach(folder IN LISTS order)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h")
  rank_of(${folder} own_rank)
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][A-Za-z0-9_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([A-Za-z0-9_]+)/.*" "\\1" included "${line}")
      rank_of(${included} included_rank)
      if(included_rank GREATER own_rank)
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        list(APPEND offences "${name} (${folder}) includes from ${included}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

file(GLOB children RELATIVE "${ROOT}" "${ROOT}/*")
foreach(child IN LISTS children)
  list(FIND order "${child}" known)
  list(FIND free_folders "${child}" free)
  if(known LESS 0 AND free LESS 0 AND IS_DIRECTORY "${ROOT}/${child}"
     AND NOT EXISTS "${ROOT}/${child}/CMakeCache.txt")
    file(GLOB strays "${ROOT}/${child}/*.cpp" "${ROOT}/${child}/*.h")
    if(strays)
      list(APPEND offences "${child}/ holds sources but has no place in the order of folders")
    endif()
  endif()
endforeach()

if(offences)
  string(REPLACE ";" "\n  " offences "${offences}")
  string(REPLACE "|" " < " shown_order "${ORDER}")
  message(FATAL_ERROR "Includes against the order of folders ${shown_order}:\n  ${offences}")
endif()
message(STATUS "${checked} sources include only from their own folder or the folders below it")
