-- Users in the store: Joana/senha, José/Ação, D'Ávila/p'w, and semnivel/x without a level.
INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('J','Joana','senha','2')
INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('Z','José','Ação','9')
INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('D','D''Ávila','p''w','1')
INSERT INTO Vendedor (NomeVendedor,USUARIO,SENHA,NIVEL) VALUES ('S','semnivel','x',NULL)
