// Failures of single library calls, injected through the entry point table.
#include <gtest/gtest.h>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_test_database.h"

namespace kelvo {
namespace {

// Fills STATUS as the library does for a failed call with GDS_CODE.
ISC_STATUS fail(ISC_STATUS* status, ISC_STATUS gds_code) {
  status[0] = isc_arg_gds;
  status[1] = gds_code;
  status[2] = isc_arg_end;
  return gds_code;
}

ISC_STATUS ISC_EXPORT failingCommit(ISC_STATUS* status, isc_tr_handle*) {
  return fail(status, isc_network_error);
}

ISC_STATUS ISC_EXPORT failingFetch(ISC_STATUS* status, isc_stmt_handle*, unsigned short,
                                   const XSQLDA*) {
  return fail(status, isc_io_error);
}

class SeamTest : public ::testing::Test {
 protected:
  std::shared_ptr<IbClientApi> api = std::make_shared<IbClientApi>(*loadIbClientLibrary());
  test::FreshDatabase database;
};

TEST_F(SeamTest, FailedCommitOnCloseKeepsTheWorkAndTheAttachment) {
  const auto real_commit = api->isc_commit_transaction;
  ClientConnection client(api);
  client.IBDatabase1.setDatabaseName(database.path());
  client.IBQuery1.setSqlText("CREATE TABLE T (A INTEGER);");
  client.IBQuery1.execSql();
  client.IBTransaction2.commit();
  client.IBQuery1.setSqlText("insert into t values (1);");
  client.IBQuery1.execSql();

  api->isc_commit_transaction = failingCommit;
  EXPECT_THROW(client.IBDatabase1.close(), IbError);
  EXPECT_TRUE(client.IBDatabase1.connected());
  EXPECT_TRUE(client.IBTransaction2.inTransaction());

  api->isc_commit_transaction = real_commit;
  client.IBDatabase1.close();
  client.IBQuery1.setSqlText("select count(*) ct from t");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("ct").asInteger(), 1);
}

TEST_F(SeamTest, FailedFetchIsAnErrorNotAnEmptyResult) {
  ClientConnection client(api);
  client.IBDatabase1.setDatabaseName(database.path());
  api->isc_dsql_fetch = failingFetch;
  client.IBQuery1.setSqlText("select 1 as one from rdb$database");
  EXPECT_THROW(client.IBQuery1.open(), IbError);
}

}  // namespace
}  // namespace kelvo
