#pragma once
// The rows the schema steps write after their statement succeeded.
class Tdm;

namespace schema::seeds {

// A new users table: the administrator "admin" with the first sign-in's password.
void administrator(Tdm &dm);
// An older users table that just got `lev`: the administrator's level (nothing when there is no "admin").
void administratorLevel(Tdm &dm);
// A new dastrasi table: every right of the users page for user 1.
void administratorRights(Tdm &dm);
// A users table that just got `status`: the administrator becomes active, so he can sign in.
void activateAdministrator(Tdm &dm);

} // namespace schema::seeds
