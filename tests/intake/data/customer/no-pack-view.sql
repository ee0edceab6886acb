-- The customer's server without the view ZEPA_PACK.
DROP TABLE ZEPA_PACK
