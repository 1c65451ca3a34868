// The table of archive members packed into the program at build time, in
// registration order. A member with no bytes was missing from Data/.
#pragma once

struct ArchiveMember {
  const char* Name;
  const unsigned char* Start;
  const unsigned char* End;
};

extern const ArchiveMember ARCHIVE_MEMBERS[];
extern const int ARCHIVE_MEMBER_COUNT;
