#include <gtest/gtest.h>

#include <cstring>

#include "copp/copp_omac.h"
#include "handles/owner.h"
#include "simdriver/sim_cmac.h"

namespace {

// RFC 4493, section 4: AES-128 key and message.
const BYTE kKey[16] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6,
                       0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
const BYTE kMessage[64] = {0x6b, 0xc1, 0xbe, 0xe2, 0x2e, 0x40, 0x9f, 0x96, 0xe9, 0x3d, 0x7e, 0x11, 0x73,
                           0x93, 0x17, 0x2a, 0xae, 0x2d, 0x8a, 0x57, 0x1e, 0x03, 0xac, 0x9c, 0x9e, 0xb7,
                           0x6f, 0xac, 0x45, 0xaf, 0x8e, 0x51, 0x30, 0xc8, 0x1c, 0x46, 0xa3, 0x5c, 0xe4,
                           0x11, 0xe5, 0xfb, 0xc1, 0x19, 0x1a, 0x0a, 0x52, 0xef, 0xf6, 0x9f, 0x24, 0x45,
                           0xdf, 0x4f, 0x9b, 0x17, 0xad, 0x2b, 0x41, 0x7b, 0xe6, 0x6c, 0x37, 0x10};

class AesKey {
 public:
  AesKey() {
    if (!CryptAcquireContextA(provider_.put(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return;
    struct {
      BLOBHEADER header;
      DWORD length;
      BYTE bytes[16];
    } blob = {{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, CALG_AES_128}, 16, {}};
    memcpy(blob.bytes, kKey, 16);
    CryptImportKey(provider_.get(), reinterpret_cast<BYTE*>(&blob), sizeof(blob), 0, 0, key_.put());
  }
  HCRYPTKEY get() const { return key_.get(); }

 private:
  OwnedCryptProvider provider_;
  OwnedCryptKey key_;
};

std::string Hex(const BYTE* bytes, size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    s += digits[bytes[i] >> 4];
    s += digits[bytes[i] & 15];
  }
  return s;
}

TEST(Omac, PublishedTagsOfRfc4493) {
  AesKey key;
  ASSERT_NE(0u, key.get());
  struct Row {
    size_t length;
    const char* tag;
  };
  const Row rows[] = {{16, "070a16b46b4d4144f79bdd9dd04a287c"},
                      {40, "dfa66747de9ae63030ca32611497c827"},
                      {64, "51f0bebf7e3b9d92fc49741779363cfe"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.length);
    BYTE tag[16] = {};
    ASSERT_EQ(1, ComputeOmac(key.get(), kMessage, row.length, tag));
    EXPECT_EQ(row.tag, Hex(tag, 16));
  }
}

TEST(Omac, SubkeysArePublishedK1AndK2) {
  AesKey key;
  OmacContext context = {};
  context.key = key.get();
  ASSERT_EQ(1, OmacInit(&context));
  EXPECT_EQ("fbeed618357133667c85e08f7236a8de", Hex(context.k1, 16));
  EXPECT_EQ("f7ddac306ae266ccf90bc11ee46d513b", Hex(context.k2, 16));
}

TEST(Omac, EmptyMessageAndNullArgumentsAreRefused) {
  AesKey key;
  BYTE tag[16] = {};
  EXPECT_EQ(0, ComputeOmac(key.get(), kMessage, 0, tag));
  EXPECT_EQ(0, ComputeOmac(key.get(), nullptr, 16, tag));
  EXPECT_EQ(0, ComputeOmac(key.get(), kMessage, 16, nullptr));
  EXPECT_EQ(0, OmacInit(nullptr));
  EXPECT_EQ(0, ComputeOmac(0, kMessage, 16, tag));  // no key: the block cipher fails
}

TEST(Omac, TwentyByteMessagePadsSecondBlockWithK2) {
  AesKey key;
  BYTE tag[16] = {};
  ASSERT_EQ(1, ComputeOmac(key.get(), kMessage, 20, tag));
  // The driver's own CMAC is a separate implementation over raw ECB blocks.
  SimCmac peer;
  ASSERT_TRUE(peer.SetKey(kKey));
  BYTE expected[16] = {};
  ASSERT_TRUE(peer.Tag(kMessage, 20, expected));
  EXPECT_EQ(Hex(expected, 16), Hex(tag, 16));
  // Taking K1 instead would give a different tag.
  OmacContext context = {};
  context.key = key.get();
  ASSERT_EQ(1, OmacInit(&context));
  memcpy(context.k2, context.k1, 16);
  BYTE wrong[16] = {};
  ASSERT_EQ(1, OmacCompute(&context, kMessage, 20, wrong));
  EXPECT_NE(Hex(expected, 16), Hex(wrong, 16));
}

TEST(SimCmac, AgreesWithRfc4493IncludingEmptyMessage) {
  SimCmac peer;
  ASSERT_TRUE(peer.SetKey(kKey));
  const struct {
    size_t length;
    const char* tag;
  } rows[] = {{0, "bb1d6929e95937287fa37d129b756746"},
              {16, "070a16b46b4d4144f79bdd9dd04a287c"},
              {64, "51f0bebf7e3b9d92fc49741779363cfe"}};
  for (const auto& row : rows) {
    BYTE tag[16] = {};
    ASSERT_TRUE(peer.Tag(kMessage, row.length, tag));
    EXPECT_EQ(row.tag, Hex(tag, 16)) << row.length;
  }
}

}  // namespace
