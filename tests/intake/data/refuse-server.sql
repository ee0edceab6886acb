-- The store refuses any line of product REFUSED, as a full disk would.
CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF NEW.CODIG_PROD = 'REFUSED' THEN RAISE EXCEPTION 'disk full'; END IF; RETURN NEW; END $$
CREATE TRIGGER refuse BEFORE INSERT ON VORLA FOR EACH ROW EXECUTE FUNCTION refuse()
