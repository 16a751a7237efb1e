-- Brolga's client book for a whole office, on the office's PostgreSQL server (version 12 or later).
--
-- Run once, as the owner of the database the brokers' Brolga will connect to:
--     createdb brolga
--     psql -d brolga -v ON_ERROR_STOP=1 -f office-book.sql
-- then make one login role per broker, and one for each assistant who prepares clients for them:
--     CREATE ROLE mia LOGIN PASSWORD '...' IN ROLE brolga_broker;
--     CREATE ROLE sam LOGIN PASSWORD '...' IN ROLE brolga_assistant;
-- Let brokers connect only over TLS (hostssl lines in pg_hba.conf); Brolga verifies the server's certificate
-- against ~/.postgresql/root.crt unless the server is on the broker's own machine.
--
-- The server, not Brolga, decides who sees what: a broker reads and changes their own clients and reads those
-- another broker shared with the office; an assistant prepares clients for a broker and sees only those they
-- prepared. The database's owner is no broker: row-level security does not hold it back.

BEGIN;

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'brolga_broker') THEN
        CREATE ROLE brolga_broker NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'brolga_assistant') THEN
        CREATE ROLE brolga_assistant NOLOGIN;
    END IF;
END
$$;

-- The book's schema version, the same numbering as the book Brolga keeps on a broker's computer. Brolga opens
-- a book of its own version only.
CREATE TABLE brolga_book (version integer NOT NULL);
INSERT INTO brolga_book VALUES (4);

CREATE TABLE clients (
    -- 1: the first book. Times are milliseconds since 1970 (UTC); an id is never handed out twice, so a client
    -- put back from "Recently deleted" keeps its own.
    id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    name text NOT NULL,
    note text NOT NULL DEFAULT '',
    inputs text NOT NULL,
    created bigint NOT NULL,
    changed bigint NOT NULL,
    -- 2: when the client went to "Recently deleted"; Brolga purges those deleted 30 days ago.
    deleted bigint,
    -- 3: the tabs of the client's last report.
    report_tabs text,
    -- 4: whose client it is, and how often and by whom it was last changed. A save over a version someone
    -- else saved since is refused.
    owner text NOT NULL DEFAULT current_user,
    version bigint NOT NULL DEFAULT 1,
    changed_by text NOT NULL DEFAULT current_user,
    -- The office's own: shared with the other brokers to read, and who prepared the client.
    shared boolean NOT NULL DEFAULT false,
    prepared_by text NOT NULL DEFAULT current_user
);
CREATE INDEX clients_by_change ON clients (changed DESC, id DESC);
CREATE INDEX clients_by_owner ON clients (owner);

-- Who changed a client and who prepared it are the server's word, not the program's.
CREATE FUNCTION brolga_stamp() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    NEW.changed_by := current_user;
    IF TG_OP = 'INSERT' THEN
        NEW.prepared_by := current_user;
    ELSE
        NEW.prepared_by := OLD.prepared_by;
    END IF;
    RETURN NEW;
END
$$;
CREATE TRIGGER clients_stamp BEFORE INSERT OR UPDATE ON clients FOR EACH ROW EXECUTE FUNCTION brolga_stamp();

REVOKE ALL ON brolga_book, clients FROM PUBLIC;
GRANT SELECT ON brolga_book TO brolga_broker, brolga_assistant;
GRANT SELECT, DELETE ON clients TO brolga_broker, brolga_assistant;
-- A broker never hands a client to someone else; an assistant names the broker a client is for.
GRANT INSERT (name, note, inputs, created, changed, shared) ON clients TO brolga_broker;
GRANT UPDATE (name, note, inputs, changed, deleted, report_tabs, version, shared) ON clients TO brolga_broker;
GRANT INSERT (name, note, inputs, created, changed, owner) ON clients TO brolga_assistant;
GRANT UPDATE (name, note, inputs, changed, deleted, report_tabs, version, owner) ON clients TO brolga_assistant;

ALTER TABLE clients ENABLE ROW LEVEL SECURITY;
CREATE POLICY broker_own ON clients TO brolga_broker
    USING (owner = current_user) WITH CHECK (owner = current_user);
CREATE POLICY broker_shared ON clients FOR SELECT TO brolga_broker
    USING (shared AND deleted IS NULL);
CREATE POLICY assistant_prepared ON clients TO brolga_assistant
    USING (prepared_by = current_user)
    WITH CHECK (prepared_by = current_user AND EXISTS (
        SELECT FROM pg_auth_members m JOIN pg_roles b ON b.oid = m.member JOIN pg_roles g ON g.oid = m.roleid
        WHERE b.rolname = owner AND g.rolname = 'brolga_broker'));

COMMIT;
