-- The store refuses any line of product REFUSED, as a full disk would.
CREATE TRIGGER refuse BEFORE INSERT ON VORLA WHEN NEW.CODIG_PROD = 'REFUSED' BEGIN SELECT RAISE(ABORT, 'disk full'); END
