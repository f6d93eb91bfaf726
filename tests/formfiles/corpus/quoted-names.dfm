object Shop: TTestModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
  end
  object OddTable: TDVTable
    DatabaseName = 'shop'
    TableName = '"ord""ers"'
  end
  object QuotedQuery: TDVQuery
    DatabaseName = 'shop'
    SQL.Strings = (
      'select * from "ord""ers" o'
      'join "MySchema".plain p on p.id = o.id'
      'where o."it''s" = ''it''''s''')
  end
end
