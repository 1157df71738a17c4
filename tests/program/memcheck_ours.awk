# Counts the memcheck records that are our code's own: errors whose top frame, and lost blocks
# whose first frame past the allocator, lie in a file matching the regular expression `ours`.
# Valgrind must run with --fullpath-after= so that frames carry their folders.
{ sub(/^==[0-9]+== ?/, "") }
/^$/ { if (inrec && hit) bad++; inrec = 0; hit = 0; frames = 0; seen = 0; next }
/^(Invalid|Conditional|Use of uninitialised|Syscall param|Mismatched|Source and destination)/ { inrec = 1; kind = "error"; next }
/are (definitely|indirectly) lost/ { inrec = 1; kind = "leak"; next }
inrec && /^ *(at|by) / {
  frames++
  alloc = ($0 ~ /(malloc|calloc|realloc|operator new)/)
  if (kind == "error" && frames == 1 && $0 ~ ours) hit = 1
  if (kind == "leak" && !alloc && !seen && $0 ~ ours) hit = 1
  if (kind == "leak" && !alloc) seen = 1
}
END { print bad + 0 }
