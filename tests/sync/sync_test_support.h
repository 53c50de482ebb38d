#pragma once

#include <gtest/gtest.h>

#include <string>

#include "sync/sync_codec.h"
#include "tests/support/temporary_folder.h"

// The item texts of tests/sync/data.
inline std::string SyncSample(const std::string& name) {
  return TTemporaryFolder::Read(std::string(KORET_SYNC_DATA) + "/" + name);
}

// The text with the first `from` replaced by `to`; a test whose `from` is missing fails.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The digest of a text the codec must read.
inline TSyncItemDigest DigestOf(const TSyncItemCodec& codec, const std::string& text) {
  TSyncItemDigest digest;
  std::string error;
  EXPECT_TRUE(codec.Digest(text, digest, error)) << error << "\n" << text;
  return digest;
}
