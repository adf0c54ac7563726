#pragma once

#include <QLatin1String>

// The names of the tables and their columns, spelt once here for the table
// definitions and for every SQL statement and look-up: a misspelt constant
// does not compile.

namespace tables {

inline constexpr QLatin1String payments{"QUORVEL_4"};
inline constexpr QLatin1String jobSearch{"JSEARCH_4"};
inline constexpr QLatin1String configuration{"CONFIG_4"};
inline constexpr QLatin1String titleStatistics{"STATS_JT_4"};
inline constexpr QLatin1String stateStatistics{"STATS_ST_4"};
inline constexpr QLatin1String titleEdits{"JS_EDIT_4"};
inline constexpr QLatin1String contactNames{"CONTACT_NAME_4"};
inline constexpr QLatin1String carriers{"CARRIER_4"};
inline constexpr QLatin1String categories{"CATEGORY_4"};
inline constexpr QLatin1String cities{"CITY_4"};
inline constexpr QLatin1String jobSearchComments{"COMMENT_JS_4"};
inline constexpr QLatin1String paymentComments{"COMMENT_4"};
inline constexpr QLatin1String items{"ITEM_4"};
inline constexpr QLatin1String positionCodes{"POSCODE_4"};
inline constexpr QLatin1String positionQualifications{"POSQUAL_4"};
inline constexpr QLatin1String positionTitles{"POSTITLE_4"};
inline constexpr QLatin1String reasons{"REASON_4"};
inline constexpr QLatin1String times{"TIME10_4"};
inline constexpr QLatin1String schemaVersion{"SCHEMA_VERSION_4"};
inline constexpr QLatin1String importedFiles{"IMPORTED_FILE_4"};
inline constexpr QLatin1String history{"HISTORY_4"};
inline constexpr QLatin1String obligations{"OBLIGATION_4"};
inline constexpr QLatin1String workSearchRules{"WORK_SEARCH_RULES_4"};

}  // namespace tables

namespace columns {

namespace payments {
inline constexpr QLatin1String pk{"PK"};
inline constexpr QLatin1String category{"CATEGORY"};
inline constexpr QLatin1String itemDate{"ITEM_DATE"};
inline constexpr QLatin1String yyyymmdd{"YYYYMMDD"};
inline constexpr QLatin1String dateSent{"DATE_SENT"};
inline constexpr QLatin1String dateAvail{"DATE_AVAIL"};
inline constexpr QLatin1String date1stTry{"DATE_1ST_TRY"};
inline constexpr QLatin1String date2ndTry{"DATE_2ND_TRY"};
inline constexpr QLatin1String date3rdTry{"DATE_3RD_TRY"};
inline constexpr QLatin1String dateDel{"DATE_DEL"};
inline constexpr QLatin1String dateReturned{"DATE_RETURNED"};
inline constexpr QLatin1String dateClear{"DATE_CLEAR"};
inline constexpr QLatin1String daysSentToAvail{"DAYS_SENT_TO_AVAIL"};
inline constexpr QLatin1String daysSentToDel{"DAYS_SENT_TO_DEL"};
inline constexpr QLatin1String daysAvailToDel{"DAYS_AVAIL_TO_DEL"};
inline constexpr QLatin1String daysDelToClear{"DAYS_DEL_TO_CLEAR"};
inline constexpr QLatin1String daysSentToClear{"DAYS_SENT_TO_CLEAR"};
inline constexpr QLatin1String checkNbr{"CHECK_NBR"};
inline constexpr QLatin1String item{"ITEM"};
inline constexpr QLatin1String ssAmt{"SS_AMT"};
inline constexpr QLatin1String rpAmt{"RP_AMT"};
inline constexpr QLatin1String csAmt{"CS_AMT"};
inline constexpr QLatin1String otherAmt{"OTHER_AMT"};
inline constexpr QLatin1String carrier{"CARRIER"};
inline constexpr QLatin1String carrNbr{"CARR_NBR"};
inline constexpr QLatin1String itemFile{"ITEM_FILE"};
inline constexpr QLatin1String shipFile{"SHIP_FILE"};
inline constexpr QLatin1String sigFile{"SIG_FILE"};
inline constexpr QLatin1String chkStmt{"CHK_STMT"};
inline constexpr QLatin1String comment{"COMMENT"};
inline constexpr QLatin1String memo{"MEMO"};
}  // namespace payments

namespace jobSearch {
inline constexpr QLatin1String pk{"PK"};
inline constexpr QLatin1String active{"ACTIVE_"};
inline constexpr QLatin1String activeChanged{"ACTIVE_CHANGED"};
inline constexpr QLatin1String refnum{"REFNUM"};
inline constexpr QLatin1String date{"DATE_"};
inline constexpr QLatin1String yyyymmdd{"YYYYMMDD"};
inline constexpr QLatin1String time{"TIME_"};
inline constexpr QLatin1String contactName{"CONTACT_NAME"};
inline constexpr QLatin1String email{"EMAIL"};
inline constexpr QLatin1String posType{"POS_TYPE"};
inline constexpr QLatin1String posCity{"POS_CITY"};
inline constexpr QLatin1String posState{"POS_STATE"};
inline constexpr QLatin1String posTitle{"POS_TITLE"};
inline constexpr QLatin1String posTitleOriginal{"POS_TITLE_ORIGINAL"};
inline constexpr QLatin1String submitted{"SUBMITTED"};
inline constexpr QLatin1String reasonNoSubmit{"REASON_NO_SUBMIT"};
inline constexpr QLatin1String itemFile{"ITEM_FILE"};
inline constexpr QLatin1String comment{"COMMENT"};
inline constexpr QLatin1String memo{"MEMO"};
inline constexpr QLatin1String finalized{"FINALIZED"};
inline constexpr QLatin1String finalComment{"FINAL_COMMENT"};
}  // namespace jobSearch

namespace configuration {
inline constexpr QLatin1String sideBarColor{"SIDE_BAR_COLOR"};
inline constexpr QLatin1String browseStartHere{"BROWSE_START_HERE"};
inline constexpr QLatin1String autoZip{"AUTO_ZIP"};
inline constexpr QLatin1String myName{"MY_NAME"};
inline constexpr QLatin1String myAddress{"MY_ADDRESS"};
inline constexpr QLatin1String myCity{"MY_CITY"};
inline constexpr QLatin1String myState{"MY_STATE"};
inline constexpr QLatin1String myZip{"MY_ZIP"};
inline constexpr QLatin1String exSpouseName{"EX_SPOUSE_NAME"};
inline constexpr QLatin1String exSpouseSsan{"EX_SPOUSE_SSAN"};
inline constexpr QLatin1String exSpouseAddress{"EX_SPOUSE_ADDRESS"};
inline constexpr QLatin1String exSpouseCity{"EX_SPOUSE_CITY"};
inline constexpr QLatin1String exSpouseState{"EX_SPOUSE_STATE"};
inline constexpr QLatin1String exSpouseZip{"EX_SPOUSE_ZIP"};
}  // namespace configuration

namespace titleStatistics {
inline constexpr QLatin1String order{"ORDER_"};
inline constexpr QLatin1String category{"CATEGORY"};
inline constexpr QLatin1String count{"COUNT_"};
inline constexpr QLatin1String percentage{"PERCENTAGE"};
inline constexpr QLatin1String reasonNotSubmitted{"REASON_NOT_SUBMITTED"};
inline constexpr QLatin1String asOfDate{"AS_OF_DATE"};
}  // namespace titleStatistics

namespace stateStatistics {
inline constexpr QLatin1String state{"STATE"};
inline constexpr QLatin1String count{"COUNT_"};
inline constexpr QLatin1String percentage{"PERCENTAGE"};
inline constexpr QLatin1String asOfDate{"AS_OF_DATE"};
}  // namespace stateStatistics

namespace titleEdits {
inline constexpr QLatin1String changeFrom{"CHANGE_FROM"};
inline constexpr QLatin1String changeTo{"CHANGE_TO"};
inline constexpr QLatin1String reasonNoSubmit{"REASON_NO_SUBMIT"};
}  // namespace titleEdits

namespace contactNames {
inline constexpr QLatin1String contactName{"CONTACT_NAME"};
}  // namespace contactNames

namespace carriers {
inline constexpr QLatin1String carrier{"CARRIER"};
}  // namespace carriers

namespace categories {
inline constexpr QLatin1String category{"CATEGORY"};
}  // namespace categories

namespace cities {
inline constexpr QLatin1String city{"CITY"};
}  // namespace cities

namespace jobSearchComments {
inline constexpr QLatin1String comment{"COMMENT"};
}  // namespace jobSearchComments

namespace paymentComments {
inline constexpr QLatin1String comment{"COMMENT"};
}  // namespace paymentComments

namespace items {
inline constexpr QLatin1String item{"ITEM"};
}  // namespace items

namespace positionCodes {
inline constexpr QLatin1String posCode{"POS_CODE"};
inline constexpr QLatin1String posDesc{"POS_DESC"};
}  // namespace positionCodes

namespace positionQualifications {
inline constexpr QLatin1String posqual{"POSQUAL"};
}  // namespace positionQualifications

namespace positionTitles {
inline constexpr QLatin1String posTitle{"POS_TITLE"};
}  // namespace positionTitles

namespace reasons {
inline constexpr QLatin1String reason{"REASON"};
}  // namespace reasons

namespace times {
inline constexpr QLatin1String x24Hour{"X24_HOUR"};
inline constexpr QLatin1String x12Hour{"X12_HOUR"};
}  // namespace times

namespace schemaVersion {
inline constexpr QLatin1String version{"VERSION_"};
}  // namespace schemaVersion

namespace importedFiles {
inline constexpr QLatin1String digest{"DIGEST"};
inline constexpr QLatin1String importedAt{"IMPORTED_AT"};
inline constexpr QLatin1String kind{"KIND"};
inline constexpr QLatin1String fileName{"FILE_NAME"};
inline constexpr QLatin1String records{"RECORDS"};
}  // namespace importedFiles

namespace history {
inline constexpr QLatin1String id{"ID"};
inline constexpr QLatin1String moment{"MOMENT"};
inline constexpr QLatin1String tableName{"TABLE_NAME"};
inline constexpr QLatin1String recordKey{"RECORD_KEY"};
inline constexpr QLatin1String action{"ACTION"};
inline constexpr QLatin1String source{"SOURCE"};
inline constexpr QLatin1String changes{"CHANGES"};
inline constexpr QLatin1String previousHash{"PREV_HASH"};
inline constexpr QLatin1String hash{"HASH"};
}  // namespace history

namespace obligations {
inline constexpr QLatin1String pk{"PK"};
inline constexpr QLatin1String kind{"KIND"};
inline constexpr QLatin1String amount{"AMOUNT"};
inline constexpr QLatin1String frequency{"FREQUENCY"};
inline constexpr QLatin1String dueDay{"DUE_DAY"};
inline constexpr QLatin1String secondDueDay{"SECOND_DUE_DAY"};
inline constexpr QLatin1String firstDue{"FIRST_DUE"};
inline constexpr QLatin1String lastDue{"LAST_DUE"};
inline constexpr QLatin1String orderRef{"ORDER_REF"};
inline constexpr QLatin1String memo{"MEMO"};
}  // namespace obligations

namespace workSearchRules {
inline constexpr QLatin1String weekStart{"WEEK_START"};
inline constexpr QLatin1String required{"REQUIRED"};
inline constexpr QLatin1String differentEmployers{"DIFFERENT_EMPLOYERS"};
inline constexpr QLatin1String countSubmitted{"COUNT_SUBMITTED"};
inline constexpr QLatin1String countFollowUps{"COUNT_FOLLOWUPS"};
}  // namespace workSearchRules

}  // namespace columns
