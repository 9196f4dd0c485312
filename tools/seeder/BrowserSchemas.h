// The table layouts of the browser databases the program cleans, as the browsers of those
// years created them: the demo seeder and the tests make their databases from these.
#pragma once

namespace browserschema {

// Firefox 3.x profiles.
inline const char kPlaces[] =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, rev_host LONGVARCHAR,"
    " visit_count INTEGER DEFAULT 0, hidden INTEGER DEFAULT 0 NOT NULL, typed INTEGER DEFAULT 0 NOT NULL,"
    " favicon_id INTEGER, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER);"
    "CREATE TABLE moz_historyvisits (id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER,"
    " visit_date INTEGER, visit_type INTEGER, session INTEGER);"
    "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER,"
    " position INTEGER, title LONGVARCHAR, keyword_id INTEGER, folder_type TEXT, dateAdded INTEGER,"
    " lastModified INTEGER);";
inline const char kDownloads[] =
    "CREATE TABLE moz_downloads (id INTEGER PRIMARY KEY, name TEXT, source TEXT, target TEXT, tempPath TEXT,"
    " startTime INTEGER, endTime INTEGER, state INTEGER, referrer TEXT, entityID TEXT, currBytes INTEGER NOT NULL"
    " DEFAULT 0, maxBytes INTEGER NOT NULL DEFAULT -1, mimeType TEXT, preferredApplication TEXT,"
    " preferredAction INTEGER NOT NULL DEFAULT 0, autoResume INTEGER NOT NULL DEFAULT 0);";
inline const char kFormHistory[] =
    "CREATE TABLE moz_formhistory (id INTEGER PRIMARY KEY, fieldname TEXT NOT NULL, value TEXT NOT NULL,"
    " timesUsed INTEGER, firstUsed INTEGER, lastUsed INTEGER);";
inline const char kSignons[] =
    "CREATE TABLE moz_logins (id INTEGER PRIMARY KEY, hostname TEXT NOT NULL, httpRealm TEXT, formSubmitURL TEXT,"
    " usernameField TEXT NOT NULL, passwordField TEXT NOT NULL, encryptedUsername TEXT NOT NULL,"
    " encryptedPassword TEXT NOT NULL, guid TEXT, encType INTEGER);";
// Chrome 4-era "History" and "Web Data".
inline const char kChromeHistory[] =
    "CREATE TABLE urls(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER DEFAULT 0"
    " NOT NULL, typed_count INTEGER DEFAULT 0 NOT NULL, last_visit_time INTEGER NOT NULL, hidden INTEGER DEFAULT 0"
    " NOT NULL, favicon_id INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE visits(id INTEGER PRIMARY KEY, url INTEGER NOT NULL, visit_time INTEGER NOT NULL, from_visit"
    " INTEGER, transition INTEGER DEFAULT 0 NOT NULL, segment_id INTEGER, is_indexed BOOLEAN);"
    "CREATE TABLE segments (id INTEGER PRIMARY KEY, name VARCHAR, url_id INTEGER NON NULL, pres_index INTEGER"
    " DEFAULT -1 NOT NULL);"
    "CREATE TABLE segment_usage (id INTEGER PRIMARY KEY, segment_id INTEGER NOT NULL, time_slot INTEGER NOT NULL,"
    " visit_count INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE keyword_search_terms (keyword_id INTEGER NOT NULL, url_id INTEGER NOT NULL, lower_term"
    " LONGVARCHAR NOT NULL, term LONGVARCHAR NOT NULL);"
    "CREATE TABLE downloads (id INTEGER PRIMARY KEY, full_path LONGVARCHAR NOT NULL, url LONGVARCHAR NOT NULL,"
    " start_time INTEGER NOT NULL, received_bytes INTEGER NOT NULL, total_bytes INTEGER NOT NULL, state INTEGER"
    " NOT NULL);";
inline const char kWebData[] =
    "CREATE TABLE logins (origin_url VARCHAR NOT NULL, action_url VARCHAR, username_element VARCHAR,"
    " username_value VARCHAR, password_element VARCHAR, password_value BLOB, submit_element VARCHAR, signon_realm"
    " VARCHAR NOT NULL, ssl_valid INTEGER NOT NULL, preferred INTEGER NOT NULL, date_created INTEGER NOT NULL,"
    " blacklisted_by_user INTEGER NOT NULL, scheme INTEGER NOT NULL);"
    "CREATE TABLE autofill (name VARCHAR, value VARCHAR, value_lower VARCHAR, pair_id INTEGER PRIMARY KEY, count"
    " INTEGER DEFAULT 1);"
    "CREATE TABLE autofill_dates (pair_id INTEGER DEFAULT 0, date_created INTEGER DEFAULT 0);";

}  // namespace browserschema
